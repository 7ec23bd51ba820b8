#pragma once
// Shows the system's text for the calling thread's last error in a message box
// captioned "Error" (no owner, information icon); "Error message 0x%lx not found"
// when the system has no text for the code. Does nothing when there is no error.
// The box goes through ShowMessageBox, so tests can catch it.
void ShowLastError();
