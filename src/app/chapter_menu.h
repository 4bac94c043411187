// The "Chapter" button's menu: add, rename, delete, purge and find chapters.
#pragma once

#include "app/app_state.h"
#include "app/index_view.h"

namespace tovalia {

void RunChapterMenu(App& app, IndexView& view, int x, int y);

}  // namespace tovalia
