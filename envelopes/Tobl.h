#pragma once
// The document window "Obálka".
#include "app/DocumentWindow.h"

class Tobl : public DocumentWindow {
    Q_OBJECT
public:
    explicit Tobl(AppState& app);
    static const DocumentLook Look;
    void closeFClick() { close(); }
};
