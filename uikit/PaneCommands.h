#pragma once
// The main frame's three pane commands, as a pane's close button calls them.
// The main frame implements this; a bar finds it on the application's main
// window and closes without a command when there is none.

class CPaneCommands {
public:
    virtual ~CPaneCommands() = default;

    // Toggle the pane named by the command and keep the View menu's mark,
    // the tool bar button and the saved layout in step with it.
    virtual void OnViewProperties() = 0;
    virtual void OnViewTextEditor() = 0;
    virtual void OnShowImages() = 0;
};

// The application main window's pane commands, or null.
CPaneCommands* MainWindowPaneCommands();
