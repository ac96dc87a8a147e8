#include "ui/qt/LyricsPaneWidget.h"

#include "platform/DisplayText.h"
#include "window/ErrorBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace lyricast {
namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LyricsPaneWidget::LyricsPaneWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("lyricsPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);

    auto* top = new QHBoxLayout;
    titleLabel = new QLabel(this);
    titleLabel->setObjectName(QStringLiteral("lyricsTitle"));
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleLabel->setTextFormat(Qt::PlainText);
    top->addWidget(titleLabel, 1);
    auto* pageCaption = new QLabel(QString::fromLatin1(kCodePageCaption), this);
    codePageCombo = new QComboBox(this);
    codePageCombo->setObjectName(QStringLiteral("codePageCombo"));
    for (const CodePage page : DisplayCodePages())
        codePageCombo->addItem(Utf8(CodePageCaption(page)));
    pageCaption->setBuddy(codePageCombo);
    top->addWidget(pageCaption);
    top->addWidget(codePageCombo);
    layout->addLayout(top);

    linesBox = new QPlainTextEdit(this);
    linesBox->setObjectName(QStringLiteral("lyricsLines"));
    linesBox->setReadOnly(true);
    linesBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(linesBox, 1);

    warningsLabel = new QLabel(this);
    warningsLabel->setObjectName(QStringLiteral("lyricsWarnings"));
    warningsLabel->setTextFormat(Qt::PlainText);
    warningsLabel->setWordWrap(true);
    warningsLabel->setStyleSheet(QStringLiteral("color: #a04000;"));
    layout->addWidget(warningsLabel);
    noteLabel = new QLabel(this);
    noteLabel->setObjectName(QStringLiteral("lyricsNote"));
    noteLabel->setTextFormat(Qt::PlainText);
    noteLabel->setWordWrap(true);
    layout->addWidget(noteLabel);

    connect(codePageCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            CallHandler(*this, [this, index] {
                core.CodePageComboChange(static_cast<std::size_t>(index));
            });
    });
}

void LyricsPaneWidget::ShowLyrics(const LyricsPaneText& text) {
    titleLabel->setText(Utf8(text.title));
    QStringList lines;
    for (const std::string& line : text.lines)
        lines << Utf8(line);
    linesBox->setPlainText(lines.join(QLatin1Char('\n')));
    QStringList warnings;
    for (const std::string& warning : text.warnings)
        warnings << QStringLiteral("\u26a0 ") + Utf8(warning);
    warningsLabel->setText(warnings.join(QLatin1Char('\n')));
    warningsLabel->setVisible(!warnings.isEmpty());
    noteLabel->setText(Utf8(text.note));
}

void LyricsPaneWidget::ShowCodePage(std::size_t index) {
    const QSignalBlocker quiet(codePageCombo);
    codePageCombo->setCurrentIndex(static_cast<int>(index));
}

} // namespace lyricast
