// MasterCook's XML export (.mx2): <RcpE name=...> recipes with <Serv qty>,
// <CatS><CatT> categories, <IngR name unit qty> ingredients with their
// <IPrp> preparation, <DirS><DirT> directions, <Desc>, <Note> and <Srce>.
#pragma once

#include <string_view>
#include <vector>

#include "interchange/imported_recipe.h"

namespace tovalia {

std::vector<ImportedRecipe> ReadMasterCookXml(std::string_view text);

}  // namespace tovalia
