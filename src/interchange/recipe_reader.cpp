#include "interchange/recipe_reader.h"

#include <string>
#include <utility>

#include "interchange/import_pass.h"
#include "interchange/recipe_writer.h"

namespace tovalia {

namespace {

// Recipes in a batch, and batches read ahead of the storing: enough to keep
// both threads busy, few enough that the memory stays small.
constexpr size_t kBatchRecipes = 32;
constexpr size_t kMostBatchesWaiting = 4;
// Lines read between two reports of the position.
constexpr int kLinesPerReport = 1024;

}  // namespace

RecipeReader::RecipeReader(SourceFile& source) : source_(source), thread_([this] { Read(); }) {}

RecipeReader::~RecipeReader() {
  Stop();
  thread_.join();
}

bool RecipeReader::HandOver(std::vector<ImportedRecipe>& batch) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return stopped_ || ready_.size() < kMostBatchesWaiting; });
  if (stopped_) return false;
  if (!batch.empty()) ready_.push_back(std::move(batch));
  batch.clear();
  waiting_.store(ready_.size(), std::memory_order_relaxed);
  position_ = source_.Position();
  changed_.notify_all();
  return true;
}

void RecipeReader::Read() {
  std::vector<ImportedRecipe> batch;
  bool stopped = false;
  ImportPass pass([&](ImportedRecipe&& recipe) {
    if (stopped) return;
    // The storing shapes what comes unprepared. While it has batches
    // waiting it is the slower of the two, and the reading takes that work
    // off it; while it waits for recipes, the reading leaves it the work.
    if (waiting_.load(std::memory_order_relaxed) > 0) PrepareImportedRecipe(recipe);
    batch.push_back(std::move(recipe));
    if (batch.size() == kBatchRecipes) stopped = !HandOver(batch);
  });
  std::string line;
  int lines = 0;
  bool more = true;
  while (!stopped && (more = source_.Next(line))) {
    pass.Line(line);
    if (++lines == kLinesPerReport) {
      lines = 0;
      std::lock_guard<std::mutex> lock(mutex_);
      position_ = source_.Position();
      stopped = stopped_;
    }
  }
  // The end of the source finishes the recipe still open; a stop does not.
  if (!stopped && !more) {
    pass.End();
    if (!stopped) HandOver(batch);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  position_ = source_.Position();
  ended_ = true;
  changed_.notify_all();
}

RecipeReader::Got RecipeReader::Next(ImportedRecipe& recipe, std::chrono::milliseconds wait) {
  if (taken_ == taking_.size()) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, wait, [this] { return !ready_.empty() || ended_ || stopped_; });
    if (ready_.empty()) return ended_ || stopped_ ? Got::kEnd : Got::kNothingYet;
    taking_ = std::move(ready_.front());
    ready_.pop_front();
    waiting_.store(ready_.size(), std::memory_order_relaxed);
    taken_ = 0;
    changed_.notify_all();
  }
  recipe = std::move(taking_[taken_++]);
  return Got::kRecipe;
}

int64_t RecipeReader::Position() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return position_;
}

void RecipeReader::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    ready_.clear();
  }
  taking_.clear();
  taken_ = 0;
  changed_.notify_all();
}

}  // namespace tovalia
