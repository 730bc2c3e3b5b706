#include "FileStream.h"

namespace {

CStatus OpenStream(FILE*& file, const String& path, const char* mode)
{
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    file = std::fopen(path.c_str(), mode ? mode : "rb");
    if (!file) return CStatus::MakeError(String::Printf("Could not open file '%s'.", path.c_str()));
    return CStatus();
}

CStatus CloseStream(FILE*& file)
{
    if (!file) return CStatus();
    const int rc = std::fclose(file);
    file = nullptr;
    if (rc != 0) return CStatus::MakeError("Could not close file.");
    return CStatus();
}

}  // namespace

std_file_stream::~std_file_stream() { CloseStream(m_File); }

CStatus std_file_stream::Open(const String& path, const char* mode) { return OpenStream(m_File, path, mode); }

size_t std_file_stream::read(size_t size, size_t count, void* data)
{
    if (!m_File || !data) return 0;
    return std::fread(data, size, count, m_File);
}

CStatus std_file_stream::Close() { return CloseStream(m_File); }

long std_file_stream::Size()
{
    if (!m_File) return -1;
    const long here = std::ftell(m_File);
    if (here < 0 || std::fseek(m_File, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(m_File);
    std::fseek(m_File, here, SEEK_SET);
    return size;
}

std_ofile_stream::~std_ofile_stream() { CloseStream(m_File); }

CStatus std_ofile_stream::Open(const String& path, const char* mode) { return OpenStream(m_File, path, mode ? mode : "wb"); }

size_t std_ofile_stream::write(size_t size, size_t count, const void* data)
{
    if (!m_File || !data) return 0;
    return std::fwrite(data, size, count, m_File);
}

CStatus std_ofile_stream::Close() { return CloseStream(m_File); }

File::File(const String& path) : m_File(std::fopen(path.c_str(), "rb")) {}

File::~File()
{
    if (m_File) std::fclose(m_File);
}

int File::ReadLine(String& line)
{
    line = String();
    if (!m_File) return -1;
    std::string text;
    int c;
    bool any = false;
    while ((c = std::fgetc(m_File)) != EOF) {
        any = true;
        if (c == '\n') break;
        text += static_cast<char>(c);
    }
    if (!any) return -1;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    line = String(text);
    return line.GetLength();
}
