#pragma once
// The document window "Poštová poukážka typu D".
#include "slips/SlipWindow.h"

class TDpoukazka : public SlipWindow {
    Q_OBJECT
public:
    explicit TDpoukazka(AppState& app);
    static const DocumentLook Look;
};
