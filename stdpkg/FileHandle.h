// One open FILE*, shared by all copies of a file value. Closing through any
// copy closes it for all of them: the others then see no open stream
// instead of a dangling one. The last owner going away closes a stream
// nobody closed.
#pragma once

#include "AlmanacApi.h"

#include <cstdio>

namespace almanac {

class ALMANAC_API FileHandle {
public:
    explicit FileHandle(FILE* stream) : m_Stream(stream) {}
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    FILE* Get() const { return m_Stream; }
    bool IsOpen() const { return m_Stream != nullptr; }
    // fclose; the stream is forgotten whatever fclose returns, since the
    // runtime library does not allow any further use of it. False when
    // fclose reported a failure.
    bool Close();

private:
    FILE* m_Stream;
};

}  // namespace almanac
