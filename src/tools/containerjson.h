#pragma once
// Translation containers as JSON, for the tvotool command-line tool.

#include <memory>
#include <string>

#include "lang/containerentries.h"

namespace tarvo {

// The container of a file that holds exactly one stored TInfoList (the
// translations of a form). EFOpenError when the file cannot be read; the
// container errors when the data is not such a block.
std::unique_ptr<TInfoList> ReadContainerFile(const std::string& fileName);

// The container as indented JSON (UTF-8): its entries with class, property,
// component, componentIndex, lineCount and either texts (one per slot) or,
// for list entries, lists (the lines of each slot); then the ids of its
// language slots.
std::string ContainerToJson(const TInfoList& container);

} // namespace tarvo
