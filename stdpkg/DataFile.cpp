#include "DataFile.h"

#include "TypeRegistration.h"

#include "FileHandle.h"

#include <cstring>

int CDataFile::sType = 0;

namespace {

// fopen modes the package accepts: r, w or a, then any of + b t. Anything
// else fails like an unopenable file: some runtime libraries abort the
// process on a mode they do not know instead of failing.
bool IsValidMode(const String& mode)
{
    const char* m = mode.c_str();
    if (!std::strchr("rwa", m[0]) || m[0] == '\0') return false;
    if (mode.GetLength() > 4) return false;
    for (const char* p = m + 1; *p; ++p)
        if (!std::strchr("+bt", *p)) return false;
    return true;
}

}  // namespace

CDataFile::CDataFile() { LOOM_REGISTER_ON_FIRST_USE(CDataFile, "file"); }

CDataFile::CDataFile(const CDataFile& other) = default;
CDataFile& CDataFile::operator=(const CDataFile& other)
{
    // CData's assignment takes a non-const reference: copy the fields here.
    SetType(other.GetType());
    SetTypeName(other.GetTypeName());
    m_Stream = other.m_Stream;
    m_FileName = other.m_FileName;
    m_Flags = other.m_Flags;
    return *this;
}
CDataFile::~CDataFile() = default;

LOOM_DEFINE_VALUE_TYPE(CDataFile)

bool CDataFile::IsOpen() const { return m_Stream && m_Stream->IsOpen(); }

CStatus CDataFile::NotOpen() const
{
    return CStatus().Format(CStatus::Error, "File '%s' not open. (3500)", m_FileName.c_str());
}

CStatus CDataFile::Open(String& path, String& mode)
{
    if (IsOpen()) Close();
    FILE* stream = IsValidMode(mode) ? std::fopen(path.c_str(), mode.c_str()) : nullptr;
    if (!stream) {
        m_Flags = FlagError | FlagClosed;
        return CStatus::MakeDefaultError(__LINE__, "DataFile");
    }
    m_Stream = std::make_shared<almanac::FileHandle>(stream);
    m_Flags = FlagOk | FlagOpen;
    if (mode.Find("w", -1, -1) >= 0) m_Flags |= FlagWrite;
    if (mode.Find("a", -1, -1) >= 0) m_Flags |= FlagWrite;
    if (mode.Find("r", -1, -1) >= 0) m_Flags |= FlagRead;
    m_FileName = path;
    return CStatus();
}

// A line longer than kMaxLine characters is returned in pieces: each Read
// gives the next kMaxLine characters, and the Read that reaches the line
// feed gives the rest. Nothing of the line is lost.
CStatus CDataFile::Read(String& line, char& more)
{
    if (!IsOpen()) return NotOpen();
    FILE* f = m_Stream->Get();
    char buffer[kMaxLine + 1];
    buffer[0] = '\0';
    const int count = std::fscanf(f, "%4095[^\n]", buffer);
    // Consumes the line feeds that follow: empty lines are skipped.
    if (std::fscanf(f, "%*[\n]") == EOF) {}
    more = 1;
    line = buffer;
    if (count == EOF) {
        m_Flags |= FlagEof;
        more = 0;
        line = "";
    }
    return CStatus();
}

CStatus CDataFile::ReadAll(String& text)
{
    if (!IsOpen()) return NotOpen();
    FILE* f = m_Stream->Get();
    text = "";
    char buffer[kMaxLine + 1];
    for (;;) {
        const size_t n = std::fread(buffer, 1, kMaxLine, f);
        if (n == 0) break;
        buffer[n] = '\0';
        text += buffer;  // as a zero-terminated text: stops at a zero byte
        if (std::feof(f) || std::ferror(f)) break;
    }
    m_Flags |= FlagEof;
    return CStatus();
}

CStatus CDataFile::Write(String& text)
{
    if (!IsOpen()) return NotOpen();
    std::fprintf(m_Stream->Get(), "%s\n", text.c_str());
    return CStatus();
}

CStatus CDataFile::Close()
{
    if (!IsOpen()) return CStatus();
    if (!m_Stream->Close()) {
        m_Flags = FlagError | FlagOpen;
        return CStatus::MakeDefaultError(__LINE__, "DataFile");
    }
    m_Flags = FlagOk | FlagClosed;
    m_FileName = "";
    m_Stream.reset();
    return CStatus();
}

String CDataFile::GetStatus()
{
    static const struct {
        int bit;
        const char* text;
    } kTexts[] = {{FlagOk, "{OK}"},     {FlagError, "{ERROR}"}, {FlagOpen, "{OPEN}"}, {FlagClosed, "{CLOSED}"},
                  {FlagRead, "{READ}"}, {FlagWrite, "{WRITE}"}, {FlagEof, "{EOF}"}};
    String text;
    for (const auto& t : kTexts)
        if (m_Flags & t.bit) text += t.text;
    return text;
}

bool CDataFile::boolean() { return IsOpen(); }

CData* CDataFile::operator_equal(CData* other, OpInfoT*)
{
    CopyData(other);
    return this;
}

bool CDataFile::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    CDataFile* source = static_cast<CDataFile*>(other);
    m_Stream = source->m_Stream;
    m_FileName = source->m_FileName;
    m_Flags = source->m_Flags;
    return true;
}

bool CDataFile::DataFromString(const String&) { return false; }

String CDataFile::GetString()
{
    String text = IsOpen() ? String("FileName: ") + m_FileName : String("FileName: None");
    return text + " " + GetStatus();
}

int CDataFile::SizeOf() { return 0; }

const loom::MemberRow<CDataFile>* CDataFile::Rows(size_t& count)
{
    static const loom::MemberRow<CDataFile> kRows[] = {
        {"GetStatus", "", 's', [](CDataFile& f, SSI_FunctionAPI& c) { loom::ReturnString(c, f.GetStatus()); }},
    };
    count = sizeof kRows / sizeof kRows[0];
    return kRows;
}

CStatus CDataFile::InitData()
{
    return loom::AddMemberRows(*this);
}

void CDataFile::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    loom::RunMemberRow(*this, call);
}
