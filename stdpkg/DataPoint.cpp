#include "DataPoint.h"

#include "TypeRegistration.h"

#include <cmath>
#include <cstdio>

int CDataPoint::sType = 0;

CDataPoint::CDataPoint() { LOOM_REGISTER_ON_FIRST_USE(CDataPoint, "point"); }

CDataPoint::CDataPoint(double px, double py, double pz) : CDataPoint()
{
    x = px;
    y = py;
    z = pz;
}

CDataPoint::~CDataPoint() = default;

LOOM_DEFINE_VALUE_TYPE(CDataPoint)

double CDataPoint::mag() const { return std::sqrt(x * x + y * y + z * z); }

void CDataPoint::unitize()
{
    const double m = mag();
    if (m == 0) return;
    x /= m;
    y /= m;
    z /= m;
}

CData* CDataPoint::operator_plus(CData* other, OpInfoT*)
{
    if (!other || other->GetType() != GetType()) return nullptr;
    const CDataPoint* p = static_cast<const CDataPoint*>(other);
    x += p->x;
    y += p->y;
    z += p->z;
    return this;
}

CData* CDataPoint::operator_equal(CData* other, OpInfoT*)
{
    return CopyData(other) ? this : nullptr;
}

bool CDataPoint::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    const CDataPoint* p = static_cast<const CDataPoint*>(other);
    x = p->x;
    y = p->y;
    z = p->z;
    return true;
}

bool CDataPoint::DataFromString(const String& text)
{
    return std::sscanf(text.c_str(), "[%lf,%lf,%lf]", &x, &y, &z) == 3;
}

String CDataPoint::GetString() { return String::Printf("[%f,%f,%f]", x, y, z); }

int CDataPoint::SizeOf() { return 24; }

