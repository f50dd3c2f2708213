#pragma once
// "Hromadná tlač…" of a document window: a table of the window's form chosen
// in a file dialog, checked, then printed page by page with a progress dialog
// that can stop it between pages.
class AppState;
class DocumentWindow;

void PrintTableFromWindow(AppState& app, DocumentWindow& window);
