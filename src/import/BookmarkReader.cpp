#include "BookmarkReader.h"

#include "WholeFile.h"

BookmarkFolder BookmarkReader::Read(const std::string& path) {
    std::string bytes;
    if (!WholeFile::Read(path, bytes, error_))
        return {};
    return ReadBytes(bytes, path);
}
