#pragma once
// The document window "Poštová poukážka typu D".
#include "app/DocumentWindow.h"

class TDpoukazka : public DocumentWindow {
    Q_OBJECT
public:
    explicit TDpoukazka(AppState& app);
    static const DocumentLook Look;
};
