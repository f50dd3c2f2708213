#pragma once
// The document window "Poštová poukážka typu C".
#include "app/DocumentWindow.h"

class TCpoukazka : public DocumentWindow {
    Q_OBJECT
public:
    explicit TCpoukazka(AppState& app);
    static const DocumentLook Look;
};
