#include "db/database.h"

#include "db/index_writer.h"
#include "db/record_format.h"

namespace tovalia {

namespace {
SilentProgress g_silentProgress;
}

Database::Database(DataPaths dataPaths) : paths(std::move(dataPaths)), progress(&g_silentProgress) {
  CreateBuffer(kRecordHeaderBufferSize, recordHeaderBuffer);
  CreateBuffer(kTitleBufferSize, titleBuffer);
  CreateBuffer(kTextBufferSize, ingredientsBuffer);
  CreateBuffer(kTextBufferSize, directionsBuffer);
}

Database::~Database() = default;

}  // namespace tovalia
