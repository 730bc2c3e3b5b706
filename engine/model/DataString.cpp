#include "Factory.h"
#include "ValueHelpers.h"

int CDataString::sType = 0;
LOOM_DEFINE_GET_REGISTERED_TYPE(CDataString)

CDataString::CDataString() { LOOM_REGISTER_ON_FIRST_USE(CDataString, "string"); }
CDataString::CDataString(const String& value) : CDataString() { Data = value; }

CData* CDataString::operator_plus(CData* other, OpInfoT*)
{
    if (!other) return nullptr;
    Data += other->GetString();
    return this;
}

CData* CDataString::operator_equal(CData* other, OpInfoT*)
{
    return CopyData(other) ? this : nullptr;
}

bool CDataString::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    Data = static_cast<CDataString*>(other)->Data;
    return true;
}

bool CDataString::ParseLiteral(const String& text, String& value)
{
    String t(text);
    t.Trim();
    const std::string& s = t.str();
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return false;
    std::string out;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        char c = s[i];
        if (c == '"') return false;  // an unescaped quote ends the literal early
        if (c == '\\' && i + 2 < s.size()) {
            const char e = s[++i];
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '0': out += '\0'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            default: out += '\\'; out += e; break;  // unknown escapes stay as written
            }
            continue;
        }
        out += c;
    }
    value = String(out);
    return true;
}

bool CDataString::DataFromString(const String& text)
{
    String value;
    if (!ParseLiteral(text, value)) return false;
    Data = value;
    return true;
}

CStatus CDataString::operator_compare(CData* other, int& out)
{
    if (!other || other->GetType() != GetType()) return CData::operator_compare(other, out);
    const int c = Data.str().compare(static_cast<CDataString*>(other)->Data.str());
    out = c < 0 ? -1 : (c > 0 ? 1 : 0);
    return CStatus();
}
