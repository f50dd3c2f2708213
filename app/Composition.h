#pragma once
// Tells the application state how each kind of document window and dialog is made.
class AppState;

void RegisterDocumentWindows(AppState& app);
