#pragma once

namespace platform {

class Ui;
class TextMeasure;
class Clipboard;
class FileHold;
class SettingsStore;
class Help;
class Shell;
class FileDialogs;
class Printer;
class Desktop;

/// The outside world as commands see it; every pointer is set by the program or the test.
struct Services {
    Ui* ui = nullptr;
    TextMeasure* measure = nullptr;
    Clipboard* clipboard = nullptr;
    FileHold* fileHold = nullptr;
    SettingsStore* settings = nullptr;
    Help* help = nullptr;
    Shell* shell = nullptr;
    FileDialogs* fileDialogs = nullptr;
    Printer* printer = nullptr;
    Desktop* desktop = nullptr;
};

} // namespace platform
