// The "Chapter" button's menu: add, rename, delete, purge and find chapters.
#pragma once

#include "app/index_view.h"
#include "state/app_state.h"

namespace tovalia {

void RunChapterMenu(App& app, IndexView& view, int x, int y);

}  // namespace tovalia
