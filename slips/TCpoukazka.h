#pragma once
// The document window "Poštová poukážka typu C".
#include "slips/SlipWindow.h"

class TCpoukazka : public SlipWindow {
    Q_OBJECT
public:
    explicit TCpoukazka(AppState& app);
    static const DocumentLook Look;
};
