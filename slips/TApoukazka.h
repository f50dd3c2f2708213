#pragma once
// The document window "Poštová poukážka typu A".
#include "slips/SlipWindow.h"

class TApoukazka : public SlipWindow {
    Q_OBJECT
public:
    explicit TApoukazka(AppState& app);
    static const DocumentLook Look;
};
