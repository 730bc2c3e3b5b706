#include "RegKey.h"

#include "TypeRegistration.h"

#include "RegKeyHandle.h"

#include <vector>

int CDataRegKey::sType = 0;

namespace {

HKEY RootKey(const String& name)
{
    if (name == "HKEY_CLASSES_ROOT")
        return HKEY_CLASSES_ROOT;
    if (name == "HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    if (name == "HKEY_LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    if (name == "HKEY_USERS")
        return HKEY_USERS;
    if (name == "HKEY_DYN_DATA")
        return HKEY_DYN_DATA;
    return nullptr;
}

int HandleValue(HKEY key)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(key));
}

uint32_t LittleEndianWord(const std::vector<char>& data)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(data.data());
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

String FormatValue(DWORD type, const std::vector<char>& data)
{
    switch (type) {
    case REG_SZ:
        return String(data.data());
    case REG_BINARY:
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        return String::Printf("0x%08X", static_cast<unsigned>(LittleEndianWord(data)));
    default:
        return String("{Unsupported}");
    }
}

// Reads the value at `index` into name and data; the buffers grow until the
// value fits. Both buffers keep a zero byte after the returned lengths and
// at least four bytes of data, all zero beyond what the system wrote.
bool EnumValue(HKEY key, DWORD index, DWORD nameCapacity, DWORD dataCapacity, String& name,
               DWORD& type, std::vector<char>& data)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::vector<char> nameBuffer(nameCapacity + 1, '\0');
        data.assign(dataCapacity + 4, '\0');
        DWORD nameLength = nameCapacity;
        DWORD dataLength = dataCapacity;
        LONG rc = RegEnumValueA(key, index, nameBuffer.data(), &nameLength, nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (rc == ERROR_SUCCESS) {
            if (nameLength > nameCapacity)
                nameLength = nameCapacity;
            if (dataLength > dataCapacity)
                dataLength = dataCapacity;
            name = String(nameBuffer.data(), static_cast<int>(strnlen(nameBuffer.data(), nameLength)));
            data[dataLength] = '\0';
            return true;
        }
        if (rc != ERROR_MORE_DATA)
            return false;
        // Ask the key for its largest name and data, and never shrink.
        DWORD maxName = 0, maxData = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                         &maxData, nullptr, nullptr);
        DWORD grownName = nameCapacity * 2, grownData = dataCapacity * 2;
        nameCapacity = maxName + 1 > grownName ? maxName + 1 : grownName;
        dataCapacity = maxData + 1 > grownData ? maxData + 1 : grownData;
        if (dataLength + 1 > dataCapacity)
            dataCapacity = dataLength + 1;
    }
    return false;
}

}  // namespace

CDataRegKey::CDataRegKey() { LOOM_REGISTER_ON_FIRST_USE(CDataRegKey, "regkey"); }

CDataRegKey::~CDataRegKey()
{
    Close();
}

LOOM_DEFINE_VALUE_TYPE(CDataRegKey)

void CDataRegKey::ShareKeyOf(const CDataRegKey& other)
{
    Handle = other.Handle;
    Path = other.Path;
    m_Key = other.m_Key;
}

CData* CDataRegKey::operator_equal(CData* other, OpInfoT* info)
{
    (void)info;
    if (!other || other->GetType() != GetType())
        return nullptr;
    if (other != this)
        ShareKeyOf(*static_cast<CDataRegKey*>(other));
    OpenState = -1;
    return this;
}

bool CDataRegKey::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType())
        return false;
    if (other != this) {
        const CDataRegKey& key = *static_cast<CDataRegKey*>(other);
        ShareKeyOf(key);
        OpenState = key.OpenState;
    }
    return true;
}

bool CDataRegKey::DataFromString(const String& text)
{
    (void)text;
    return false;
}

String CDataRegKey::GetString()
{
    return String::Printf("Handle: %d Open: %d Path: '%s'", Handle, OpenState, Path.c_str());
}

int CDataRegKey::SizeOf()
{
    return 0;
}

CStatus CDataRegKey::InitData()
{
    int intType = CDataInt::GetRegisteredType();
    int stringType = CDataString::GetRegisteredType();
    CVariable openState("OpenState", intType);
    AddVariable(openState);
    CVariable handle("Handle", intType);
    AddVariable(handle);
    CVariable path("Path", stringType);
    AddVariable(path);
    CVariable delim("PathDelim", stringType);
    AddVariable(delim);

    return loom::AddMemberRows(*this);
}

const loom::MemberRow<CDataRegKey>* CDataRegKey::Rows(size_t& count)
{
    using K = CDataRegKey;
    using A = SSI_FunctionAPI;
    static const loom::MemberRow<CDataRegKey> kRows[] = {
        {"Open", "", 'i', [](K& k, A& c) { loom::ReturnInt(c, k.Open() ? 1 : 0); }},
        {"Close", "", 'v', [](K& k, A&) { k.Close(); }},
        {"GetValues", "ss", 's',
         [](K& k, A& c) {
             String entrySeparator, nameSeparator;
             if (loom::ReadString(c, 0, entrySeparator) && loom::ReadString(c, 1, nameSeparator))
                 loom::ReturnString(c, k.GetValues(entrySeparator, nameSeparator));
         }},
        {"GetValueCount", "", 'i', [](K& k, A& c) { loom::ReturnInt(c, k.GetValueCount()); }},
        {"GetValue", "s", 's',
         [](K& k, A& c) {
             String name, value;
             if (!loom::ReadString(c, 0, name)) return;
             c.m_ReturnStatus = k.GetValue(name, value);
             loom::ReturnString(c, value);
         }},
    };
    count = sizeof kRows / sizeof kRows[0];
    return kRows;
}

void CDataRegKey::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    loom::RunMemberRow(*this, call);
}

CStatus CDataRegKey::SSI_UpdateVariable(CVariable& variable, char fetch)
{
    const String& name = variable.GetName();
    CData* data = variable.GetWorkingData();
    if (name == "OpenState" || name == "Handle") {
        int& field = name == "OpenState" ? OpenState : Handle;
        if (fetch) {
            CDataInt value(field);
            return variable.SetData(&value);
        }
        int value = data && data->GetType() == CDataInt::GetRegisteredType()
                        ? static_cast<CDataInt*>(data)->Data
                        : 0;
        // Handle shows the number of the key this value has open. A script
        // cannot swap the key by writing another number: while a key is
        // open the write is ignored and the key stays in use; without one
        // the number is only kept for reading back.
        if (&field == &Handle && m_Key)
            return CStatus::MakeOK();
        field = value;
        return CStatus::MakeOK();
    }
    if (name == "Path" || name == "PathDelim") {
        String& field = name == "Path" ? Path : PathDelim;
        if (fetch) {
            CDataString value(field);
            return variable.SetData(&value);
        }
        String value = data ? data->GetString() : String();
        if (&field == &Path || !value.IsEmpty())
            field = value;
        return CStatus::MakeOK();
    }
    CStatus status;
    return status.Format(CStatus::Error, "Variable '%s' not a member of %s. (K00101)", name.c_str(),
                         "regkey");
}

bool CDataRegKey::Open()
{
    Close();
    String rest(Path);
    String rootName;
    // An empty separator would split forever: the whole path is then a root.
    if (PathDelim.IsEmpty() || rest.Parse(PathDelim, rootName) < 0) {
        rootName = rest;
        rest = "";
    }
    HKEY root = RootKey(rootName);
    if (!root)
        return false;
    HKEY current = root;
    RegKeyHandle intermediate;  // owns `current` once it is no root
    String subKey;
    while (!PathDelim.IsEmpty() && rest.Parse(PathDelim, subKey) >= 0) {
        HKEY next = nullptr;
        if (RegOpenKeyExA(current, subKey.c_str(), 0, KEY_READ, &next) != ERROR_SUCCESS)
            return false;
        intermediate.Reset(next);
        current = next;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(current, rest.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    m_Key = std::make_shared<RegKeyHandle>(key);
    Handle = HandleValue(key);
    OpenState = 1;
    return true;
}

void CDataRegKey::Close()
{
    OpenState = 0;
    m_Key.reset();
    Handle = 0;
}

int CDataRegKey::GetValueCount()
{
    if (!m_Key)
        return -1;
    DWORD count = 0;
    if (RegQueryInfoKeyA(m_Key->Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return static_cast<int>(count);
}

String CDataRegKey::GetValues(const String& entrySeparator, const String& nameSeparator)
{
    String result;
    if (!m_Key)
        return result;
    int count = GetValueCount();
    bool listed = false;
    for (int i = 0; i < count; ++i) {
        String name;
        DWORD type = 0;
        std::vector<char> data;
        // A value that cannot be read (removed meanwhile) is left out.
        if (!EnumValue(m_Key->Get(), static_cast<DWORD>(i), i == 0 ? 259 : 260, i == 0 ? 259 : 260,
                       name, type, data))
            continue;
        result += name;
        result += nameSeparator;
        result += FormatValue(type, data);
        result += entrySeparator;
        listed = true;
    }
    if (listed)
        for (int i = 0; i < entrySeparator.GetLength(); ++i)
            result.chop();
    return result;
}

CStatus CDataRegKey::GetValue(const String& name, String& value)
{
    value = String();
    if (!m_Key)
        return CStatus::MakeError(
            String::Printf("Registry key '%s' is not open; its value '%s' cannot be read. (K00561)", Path.c_str(),
                           name.c_str()));
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(m_Key->Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return CStatus::MakeError(
            String::Printf("Registry key '%s' has no value '%s'. (K00560)", Path.c_str(), name.c_str()));
    std::vector<char> data(size + 4, '\0');
    if (RegQueryValueExA(m_Key->Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return CStatus::MakeError(
            String::Printf("Registry key '%s' has no value '%s'. (K00560)", Path.c_str(), name.c_str()));
    value = FormatValue(type, data);
    return CStatus::MakeOK();
}
