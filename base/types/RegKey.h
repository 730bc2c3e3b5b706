// CDataRegKey: the script type `regkey`, a read-only view of one registry
// key. The script sets Path, opens the key and reads its values.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"
#include "TypeRegistration.h"

#include <memory>

class RegKeyHandle;

class KESTRELBASE_API CDataRegKey : public CData {
public:
    CDataRegKey();
    CDataRegKey(const CDataRegKey&) = delete;
    CDataRegKey& operator=(const CDataRegKey&) = delete;

    ~CDataRegKey() override;
    LOOM_VALUE_TYPE_MEMBERS;
    CStatus InitData() override;
    void SSI_FunctionProcessor(SSI_FunctionAPI& call) override;
    CStatus SSI_UpdateVariable(CVariable& variable, char fetch) override;


    // Opens the key named by Path; true on success. Closes first.
    bool Open();
    // Gives up this value's share of the key.
    void Close();
    // -1 when no key is open.
    int GetValueCount();
    // "name<nameSep>data<entrySep>..." without a trailing separator.
    String GetValues(const String& entrySeparator, const String& nameSeparator);
    // The text of the value `name` of the open key (as GetValues writes
    // it); an error naming the key and the value when there is none.
    CStatus GetValue(const String& name, String& value);

    // The member functions' rows.
    static const loom::MemberRow<CDataRegKey>* Rows(size_t& count);

    int OpenState = 0;
    int Handle = 0;
    String Path;
    String PathDelim = ":";

private:
    void ShareKeyOf(const CDataRegKey& other);

    // The open key, shared with the copies of this value; closed when the
    // last of them lets go.
    std::shared_ptr<RegKeyHandle> m_Key;
    static int sType;
};
