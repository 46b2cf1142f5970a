#include "window/FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextCursor>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

QToolButton* barButton(QWidget* parent, const QString& text, const QString& toolTip) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

FindBar::FindBar(QWebEnginePage* page, QPlainTextEdit* source, QWidget* parent)
    : QWidget(parent), page_(page), source_(source) {
    setObjectName("bar_Find");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    field_ = new QLineEdit(this);
    field_->setObjectName("field_Find");
    field_->setPlaceholderText(tr("Find in document"));
    field_->setClearButtonEnabled(true);
    field_->installEventFilter(this);
    auto* previous = barButton(this, "↑", tr("Previous match (Shift+Enter)"));
    auto* next = barButton(this, "↓", tr("Next match (Enter)"));
    caseSwitch_ = new QCheckBox(tr("Match &case"), this);
    count_ = new QLabel(this);
    count_->setMinimumWidth(count_->fontMetrics().horizontalAdvance("0000 of 0000"));
    auto* done = barButton(this, "✕", tr("Close (Escape)"));
    layout->addWidget(field_, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(caseSwitch_);
    layout->addWidget(count_);
    layout->addWidget(done);

    connect(field_, &QLineEdit::textEdited, this, &FindBar::searchAgain);
    connect(caseSwitch_, &QCheckBox::toggled, this, &FindBar::searchAgain);
    connect(previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(done, &QToolButton::clicked, this, &FindBar::close);
    connect(page_, &QWebEnginePage::findTextFinished, this, &FindBar::showWebResult);
    // Escape closes the bar from anywhere in the window, the page included
    // (a shortcut of a hidden bar does nothing).
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &FindBar::close, Qt::WindowShortcut);
    hide();
}

QString FindBar::matchText() const {
    return count_->text();
}

void FindBar::open() {
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void FindBar::close() {
    hide();
    // The highlighted matches go with the bar.
    page_->findText(QString());
    if (searchingSource_)
        source_->setFocus();
    else if (QWebEngineView* view = QWebEngineView::forPage(page_))
        view->setFocus();
}

void FindBar::findNext() {
    if (isHidden())
        open();
    find(false);
}

void FindBar::findPrevious() {
    if (isHidden())
        open();
    find(true);
}

void FindBar::setSearchingSource(bool source) {
    if (searchingSource_ == source)
        return;
    searchingSource_ = source;
    if (isVisible())
        searchAgain();
}

void FindBar::searchAgain() {
    if (isHidden())
        return;
    if (searchingSource_) {
        source_->moveCursor(QTextCursor::Start);
        findInSource(false);
        return;
    }
    // A new search (rather than the next match of the last one) starts from
    // the top of the page.
    page_->findText(QString());
    find(false);
}

void FindBar::find(bool backward) {
    const QString text = field_->text();
    if (searchingSource_) {
        findInSource(backward);
        return;
    }
    if (text.isEmpty()) {
        page_->findText(QString());
        showCount(0, 0);
        return;
    }
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    if (caseSwitch_->isChecked())
        flags |= QWebEnginePage::FindCaseSensitively;
    page_->findText(text, flags);
}

void FindBar::findInSource(bool backward) {
    const QString text = field_->text();
    if (text.isEmpty()) {
        showCount(0, 0);
        return;
    }
    QTextDocument::FindFlags flags;
    if (backward)
        flags |= QTextDocument::FindBackward;
    const bool caseSensitive = caseSwitch_->isChecked();
    if (caseSensitive)
        flags |= QTextDocument::FindCaseSensitively;
    // Past the last match the search goes round to the first.
    if (!source_->find(text, flags)) {
        source_->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
        source_->find(text, flags);
    }
    const QString all = source_->toPlainText();
    const Qt::CaseSensitivity sensitivity = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int current = source_->textCursor().hasSelection() ? source_->textCursor().selectionStart() : -1;
    int total = 0;
    int active = 0;
    for (qsizetype at = all.indexOf(text, 0, sensitivity); at >= 0; at = all.indexOf(text, at + text.size(), sensitivity)) {
        ++total;
        if (at == current)
            active = total;
    }
    showCount(active, total);
}

void FindBar::showWebResult(const QWebEngineFindTextResult& result) {
    if (!searchingSource_)
        showCount(result.activeMatch(), result.numberOfMatches());
}

void FindBar::showCount(int active, int total) {
    const bool nothingToFind = field_->text().isEmpty();
    if (nothingToFind)
        count_->clear();
    else if (total == 0)
        count_->setText(tr("No matches"));
    else
        count_->setText(tr("%1 of %2").arg(active).arg(total));
    // A search that finds nothing shows in the field, as in most editors.
    field_->setStyleSheet(!nothingToFind && total == 0 ? "QLineEdit { background: #f6d0d0; color: black; }" : QString());
    emit matchesCounted();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                findPrevious();
            else
                findNext();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
