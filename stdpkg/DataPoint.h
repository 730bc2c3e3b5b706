// CDataPoint: the type "point", a vector of three doubles with addition,
// magnitude and normalisation.
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"
#include "TypeRegistration.h"

class ALMANAC_API CDataPoint : public CData {
public:
    // Registers the type "point" on first construction, like the others.
    CDataPoint();
    CDataPoint(double x, double y, double z);
    ~CDataPoint() override;

    LOOM_VALUE_TYPE_MEMBERS;

    double mag() const;
    // Divides by the magnitude; the zero point stays as it is.
    void unitize();

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    CData* operator_plus(CData* other, OpInfoT* info) override;

private:
    static int sType;
};
