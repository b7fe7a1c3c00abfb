// Where the product finds its shipped files: the message catalogue, the
// icons and the elevation-marker drawing. Asked afresh on every call, so a
// change of the environment is seen at once.
//
//   data folder     $KVLX_DATA_DIR when set and not empty; otherwise the
//                   installed folder (<prefix>/share/kvlx, fixed when the
//                   library is built) when it holds a message catalogue;
//                   otherwise the source tree's product/giscore/data, so a
//                   build runs before it is installed.
//   catalogue       <data folder>/messages.txt
//   icons           <data folder>/icons/<NAME>.xpm
//   symbol folder   $KVLX_SYMBOL_DIR when set and not empty, otherwise
//                   <data folder>/symbols; it holds KVX_ELEV.dxf, the
//                   elevation-marker drawing.
//
// Relative folders from the environment are taken from the current folder.
// Folders are returned as full paths; nothing here checks that files exist
// except the choice of the installed data folder.
#pragma once

#include <filesystem>
#include <string>

namespace uv::giscore {

std::filesystem::path dataFolder();
std::filesystem::path symbolFolder();
std::filesystem::path catalogueFile();
std::filesystem::path iconFile(const std::string& name);

// A folder as text with exactly one trailing separator, ready to have a
// file name appended.
std::string withTrailingSeparator(const std::filesystem::path& folder);

}  // namespace uv::giscore
