// CDataOptions: the script type "options", a set of key/value options kept
// in the engine's std_options store (its file syntax is the store's).
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"
#include "TypeRegistration.h"

class ALMANAC_API CDataOptions : public CData {
public:
    CDataOptions();
    CDataOptions(const CDataOptions& other);
    CDataOptions& operator=(const CDataOptions& other);
    ~CDataOptions() override;

    // Registers the type first when it is not registered.
    LOOM_VALUE_TYPE_MEMBERS;
    // The member functions' rows.
    static const loom::MemberRow<CDataOptions>* Rows(size_t& count);

    std_options& Store() { return m_Store; }

    CStatus InitData() override;
    void SSI_FunctionProcessor(SSI_FunctionAPI& call) override;
    CStatus SSI_UpdateVariable(CVariable& variable, char fetch) override;

private:
    void LoadOrSave(SSI_FunctionAPI& call, bool save);
    void SetMark(SSI_FunctionAPI& call, bool token);

    std_options m_Store;

    static int sType;
};
