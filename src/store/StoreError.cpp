#include "store/StoreError.h"

namespace rotaplan {

StoreError::StoreError(std::filesystem::path file, std::string operation, std::string reason)
    : std::runtime_error("Could not " + operation + " " + file.string() + ": " + reason),
      file_(std::move(file)), operation_(std::move(operation)), reason_(std::move(reason)) {}

} // namespace rotaplan
