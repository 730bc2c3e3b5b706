// Small owning wrappers of the runtime library's file streams.
#pragma once

#include "Status.h"

#include <cstdio>

class LOOM_API std_file_stream {
public:
    std_file_stream() = default;
    ~std_file_stream();
    std_file_stream(const std_file_stream&) = delete;
    std_file_stream& operator=(const std_file_stream&) = delete;

    CStatus Open(const String& path, const char* mode);
    // fread semantics: number of items read.
    size_t read(size_t size, size_t count, void* data);
    CStatus Close();
    bool IsOpen() const { return m_File != nullptr; }
    long Size();  // bytes in the file, -1 when unknown

private:
    FILE* m_File = nullptr;
};

class LOOM_API std_ofile_stream {
public:
    std_ofile_stream() = default;
    ~std_ofile_stream();
    std_ofile_stream(const std_ofile_stream&) = delete;
    std_ofile_stream& operator=(const std_ofile_stream&) = delete;

    CStatus Open(const String& path, const char* mode);
    size_t write(size_t size, size_t count, const void* data);
    CStatus Close();
    bool IsOpen() const { return m_File != nullptr; }

private:
    FILE* m_File = nullptr;
};

// A text file read line by line.
class LOOM_API File {
public:
    explicit File(const String& path);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool IsOpen() const { return m_File != nullptr; }
    // The next line without its end (LF or CR LF), any length. Returns the
    // line's length, or -1 at the end of the file.
    int ReadLine(String& line);

private:
    FILE* m_File = nullptr;
};
