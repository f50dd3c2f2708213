#pragma once
// Tells the application state how each kind of document window is made.
class AppState;

void RegisterDocumentWindows(AppState& app);
