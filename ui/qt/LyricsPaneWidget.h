#pragma once

#include "window/LyricsPane.h"
#include "window/LyricsPaneView.h"

#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace lyricast {

// The lyrics pane below the file list in Qt: the song's title, a code page
// box, its lines as a keyboard shows them, its warnings and a note. It draws
// what `core` decides and reports the code page picked.
class LyricsPaneWidget : public QWidget, public LyricsPaneView {
    Q_OBJECT
public:
    explicit LyricsPaneWidget(QWidget* parent);

    QLabel* titleLabel = nullptr;
    QComboBox* codePageCombo = nullptr;
    QPlainTextEdit* linesBox = nullptr;
    QLabel* warningsLabel = nullptr;
    QLabel* noteLabel = nullptr;
    LyricsPane core{*this};
    // Where an error of the pane's handler is shown: the window's error box.
    std::function<void(const std::string&)> showError;

    // LyricsPaneView
    void ShowLyrics(const LyricsPaneText& text) override;
    void ShowCodePage(std::size_t index) override;
    // For CallHandler.
    void ShowError(const std::string& text) const { showError(text); }
};

} // namespace lyricast
