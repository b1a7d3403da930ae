// Printing a movie list on a printer the user picks in the system's print dialog.
#pragma once

#include <windows.h>

#include <string>

#include "model/MovieList.h"
#include "ui/Workbench.h"

namespace cl {

// Prints the list's names under "CineLedger: " + title while the owner is disabled and the cancel window (225)
// shows. 1 when the job went to its end, or when the user cancelled the print dialog (nothing printed); 0 when the
// user stopped the job, the printer refused a document or page, or the print dialog could not open (said in a
// message box).
int PrintMovieList(const MovieList& list, HWND owner, HINSTANCE instance, const std::string& title);

// "Print Movie List": the list the view marks, or the message that it is empty.
void RunPrintCommand(HINSTANCE instance, HWND owner, Workbench& w);

}  // namespace cl
