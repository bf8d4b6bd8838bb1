#include "audio/CacheFile.h"

#include "platform/Uuid.h"

namespace vt {

CacheFile::CacheFile(std::filesystem::path destination) : destination_(std::move(destination))
{
    std::string random = Uuid::random().text().substr(0, 8);
    temporary_ = destination_;
    temporary_.replace_filename(destination_.stem().string() + "." + random + ".tmp" + destination_.extension().string());
}

CacheFile::~CacheFile()
{
    if (committed_) return;
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

void CacheFile::commit()
{
    std::filesystem::rename(temporary_, destination_);
    committed_ = true;
}

}  // namespace vt
