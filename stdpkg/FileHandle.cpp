#include "FileHandle.h"

namespace almanac {

FileHandle::~FileHandle()
{
    if (m_Stream) std::fclose(m_Stream);
}

bool FileHandle::Close()
{
    if (!m_Stream) return true;
    FILE* stream = m_Stream;
    m_Stream = nullptr;
    return std::fclose(stream) == 0;
}

}  // namespace almanac
