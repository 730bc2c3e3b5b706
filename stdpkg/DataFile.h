// CDataFile: the script type "file", a text file on a buffered stream with
// status flags that scripts read as text ("{OK}{OPEN}{READ}" ...).
//
// Copies (CopyData, script assignment, the copy the automation package's
// OpenFile hands back) share one reference-counted stream: a copy stays
// usable after the object that opened the file is destroyed, and once any
// copy closes the stream every other copy sees "not open" rather than a
// closed stream. The stream is closed when the last copy goes away.
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"
#include "TypeRegistration.h"

#include <memory>

namespace almanac {
class FileHandle;
}

class ALMANAC_API CDataFile : public CData {
public:
    enum Flags {
        FlagOk = 1,
        FlagError = 2,
        FlagClosed = 4,
        FlagOpen = 8,
        FlagRead = 16,
        FlagWrite = 32,
        FlagEof = 64,
    };

    CDataFile();
    CDataFile(const CDataFile& other);
    CDataFile& operator=(const CDataFile& other);
    ~CDataFile() override;

    LOOM_VALUE_TYPE_MEMBERS;
    // The member functions' rows.
    static const loom::MemberRow<CDataFile>* Rows(size_t& count);

    CStatus Open(String& path, String& mode);
    // One line without its line feed; more = 0 at the end of the file.
    CStatus Read(String& line, char& more);
    CStatus ReadAll(String& text);
    CStatus Write(String& text);
    CStatus Close();
    String GetStatus();

    int GetFlags() const { return m_Flags; }
    const String& GetFileName() const { return m_FileName; }
    bool IsOpen() const;

    bool boolean() override;
    CStatus InitData() override;
    void SSI_FunctionProcessor(SSI_FunctionAPI& call) override;

    // Longest line Read returns at once; the rest of a longer line comes
    // with the following Read calls.
    static constexpr int kMaxLine = 4095;

private:
    CStatus NotOpen() const;

    std::shared_ptr<almanac::FileHandle> m_Stream;
    String m_FileName;
    int m_Flags = FlagOk;

    static int sType;
};
