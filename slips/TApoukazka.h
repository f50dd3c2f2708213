#pragma once
// The document window "Poštová poukážka typu A".
#include "app/DocumentWindow.h"

class TApoukazka : public DocumentWindow {
    Q_OBJECT
public:
    explicit TApoukazka(AppState& app);
    static const DocumentLook Look;
};
