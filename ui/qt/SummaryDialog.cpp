#include "ui/qt/SummaryDialog.h"

#include "window/AppInfo.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace lyricast {
namespace {

constexpr int kDetailLinesShown = 12;
constexpr int kMinimumDetailsWidth = 420;

// The screen of the window the box belongs to, less its panels.
QRect ScreenArea(const QWidget* box) {
    const QWidget* owner = box->parentWidget() != nullptr ? box->parentWidget() : box;
    return owner->screen()->availableGeometry();
}

} // namespace

SummaryDialog::SummaryDialog(const BatchSummary& summary, const QString& folder, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("summaryBox"));
    setWindowTitle(QString::fromStdString(kApplicationTitle));
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    layout->setColumnStretch(1, 1); // the icon's column keeps the icon's width
    CreateIcon(summary.warning);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    head = new QLabel(QString::fromLocal8Bit(summary.head), this);
    head->setObjectName(QStringLiteral("head"));
    head->setTextFormat(Qt::PlainText);
    head->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(head, 0, 1, Qt::AlignTop | Qt::AlignLeft);
    if (!summary.details.empty()) {
        CreateDetails(summary.details);
        layout->addWidget(details, 1, 0, 1, 2);
        layout->setRowStretch(1, 1);
    }
    CreateButtons(folder);
    layout->addWidget(ok->parentWidget(), 2, 0, 1, 2);
    setSizeGripEnabled(true);
    FitToScreen();
}

// The icons a message box of the style shows.
void SummaryDialog::CreateIcon(bool warning) {
    icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(warning ? QStyle::SP_MessageBoxWarning
                                               : QStyle::SP_MessageBoxInformation,
                                       nullptr, this)
                        .pixmap(size, size));
}

// One file a line, unwrapped: a long path scrolls sideways instead of
// splitting, and the pane is as wide as the longest line, within reason.
void SummaryDialog::CreateDetails(const std::vector<std::string>& lines) {
    details = new QPlainTextEdit(this);
    details->setObjectName(QStringLiteral("details"));
    details->setReadOnly(true);
    details->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList texts;
    int widest = 0;
    for (const std::string& line : lines) {
        texts << QString::fromLocal8Bit(line);
        widest = std::max(widest, details->fontMetrics().horizontalAdvance(texts.back()));
    }
    details->setPlainText(texts.join(QLatin1Char('\n')));
    const int frame =
        2 * details->frameWidth() + 2 * static_cast<int>(details->document()->documentMargin());
    const int width = widest + frame + details->verticalScrollBar()->sizeHint().width();
    const int shown = std::min<int>(static_cast<int>(lines.size()), kDetailLinesShown);
    // Room below the lines for the scroll bar that a long path brings.
    details->setMinimumSize(
        std::clamp(width, kMinimumDetailsWidth, ScreenArea(this).width() * 2 / 3),
        shown * details->fontMetrics().lineSpacing() + frame +
            details->horizontalScrollBar()->sizeHint().height());
}

void SummaryDialog::CreateButtons(const QString& folder) {
    auto* buttons = new QDialogButtonBox(this);
    saveReport =
        buttons->addButton(QString::fromLatin1(kSaveReportCaption), QDialogButtonBox::ActionRole);
    saveReport->setObjectName(QStringLiteral("saveReport"));
    saveReport->setAutoDefault(false);
    connect(saveReport, &QPushButton::clicked, this, [this] {
        if (onSaveReport)
            onSaveReport();
    });
    openFolder = buttons->addButton(QStringLiteral("&Open Folder"), QDialogButtonBox::ActionRole);
    openFolder->setObjectName(QStringLiteral("openFolder"));
    openFolder->setToolTip(folder);
    ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setDefault(true);
    ok->setFocus();
    connect(openFolder, &QPushButton::clicked, this, [this] {
        openFolder_ = true;
        accept();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// Never taller or wider than the screen the window is on.
void SummaryDialog::FitToScreen() {
    const QRect screen = ScreenArea(this);
    const QSize wanted = sizeHint();
    resize(std::min(wanted.width(), screen.width()), std::min(wanted.height(), screen.height()));
    setMaximumSize(screen.size());
}

} // namespace lyricast
