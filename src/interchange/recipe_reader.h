// Reading a text source on a thread of its own: its lines go through the
// import pass there, the recipes the pass finishes are prepared for storing
// (PrepareImportedRecipe) while the storing has enough to do, and come over, in their order, to the thread that stores them, which alone touches the database
// and the window. With two processors, reading and storing go on at once.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "interchange/imported_recipe.h"
#include "interchange/source_file.h"

namespace tovalia {

class RecipeReader {
 public:
  // Starts reading the opened source.
  explicit RecipeReader(SourceFile& source);
  // Stops the reading if it still goes on.
  ~RecipeReader();
  RecipeReader(const RecipeReader&) = delete;
  RecipeReader& operator=(const RecipeReader&) = delete;

  enum class Got { kRecipe, kNothingYet, kEnd };
  // The next finished recipe, waiting at most `wait` for one.
  Got Next(ImportedRecipe& recipe, std::chrono::milliseconds wait);
  // How far the reading has come, in bytes of the source.
  int64_t Position() const;
  // Ends the reading early: the recipe being read is not finished.
  void Stop();

 private:
  void Read();
  // Hands the recipes read so far over to the storing thread, waiting while
  // it has enough to do; false once the reading is stopped.
  bool HandOver(std::vector<ImportedRecipe>& batch);

  SourceFile& source_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  // Recipes go over in batches, so that the two threads meet once a batch
  // rather than once a recipe.
  std::deque<std::vector<ImportedRecipe>> ready_;
  std::atomic<size_t> waiting_{0};  // ready_.size(), read without the lock
  // The batch the storing thread takes its recipes from, and how far.
  std::vector<ImportedRecipe> taking_;
  size_t taken_ = 0;
  int64_t position_ = 0;
  bool ended_ = false;
  bool stopped_ = false;
  std::thread thread_;
};

}  // namespace tovalia
