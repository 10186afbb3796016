#include "dialogs/tsform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>

#include "lang/formresource.h"
#include "lang/messagelist.h"
#include "lang/mltlang.h"
#include "persist/errors.h"

namespace tarvo {

namespace {

// Numbers of the message table.
constexpr int32_t MsgNotANumber = 7;
constexpr int32_t MsgNothingSelected = 8;
constexpr int32_t MsgRequiredFieldEmpty = 10;
// The room in design pixels between a text and the next control on its row.
constexpr int TextGap = 4;

} // namespace

TTSForm::TTSForm(QWidget* owner) : QDialog(owner), scale_(font())
{
    // Forms are fixed-size dialogs with only the system menu and close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    PlaceByOwner();
}

int TTSForm::ShowModal()
{
    modalResult_ = mrNone;
    exec();
    return modalResult_;
}

void TTSForm::PlaceByOwner()
{
    // Only a form owned by another form is placed: 20 pixels right of and
    // below the owner's client origin, or at the screen's top-left corner
    // when it would reach beyond the screen there.
    QWidget* owner = parentWidget();
    if (!owner || !owner->isWindow())
        return;
    QPoint topLeft = owner->mapToGlobal(QPoint(0, 0)) + QPoint(20, 20);
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect();
    if (area.height() < topLeft.y() + height() || area.width() < topLeft.x() + width())
        topLeft = area.topLeft();
    move(topLeft);
}

void TTSForm::SetDesignClientSize(int width, int height)
{
    setFixedSize(scale_.MapSize(width, height));
    PlaceByOwner();
}

QLabel* TTSForm::AddLabel(const char* name, const TDesignRect& rect, QWidget* focusTarget, Qt::Alignment alignment)
{
    auto* label = AddControl<QLabel>(name, rect);
    label->setAlignment(alignment);
    label->setBuddy(focusTarget);
    autoSizeLabels_.push_back(label);
    FitLabel(*label);
    return label;
}

void TTSForm::FitLabel(QLabel& label)
{
    // The top stays, and the left edge or, for a centred label, the centre;
    // the size is the text's, but never below the design's line height, so
    // that a label's text stays on its row.
    const QSize text = label.sizeHint();
    const int left =
        label.alignment() & Qt::AlignHCenter ? (2 * label.x() + label.width() - text.width()) / 2 : label.x();
    label.setGeometry(left, label.y(), text.width(), std::max(text.height(), label.height()));
}

void TTSForm::GiveAccessKeyTarget(QLabel& label) const
{
    if (label.buddy() || !label.text().contains(u'&'))
        return;
    const QObjectList& controls = children();
    for (qsizetype i = controls.indexOf(&label) + 1; i < controls.size(); ++i) {
        auto* control = qobject_cast<QWidget*>(controls[i]);
        if (control && !qobject_cast<QLabel*>(control) && (control->focusPolicy() & Qt::TabFocus)) {
            label.setBuddy(control);
            return;
        }
    }
}

void TTSForm::AdjustLabelSizes()
{
    for (QLabel* label : autoSizeLabels_) {
        GiveAccessKeyTarget(*label); // first: a buddy changes the label's size
        FitLabel(*label);
    }
    for (const auto& adjust : textRoomAdjustments_)
        adjust();
}

void TTSForm::KeepRightOf(QWidget* control, const QLabel* label)
{
    AfterLabelSizing([this, control, label, designLeft = control->x()] {
        control->move(std::max(designLeft, label->geometry().right() + 1 + scale_.X(TextGap)), control->y());
    });
}

void TTSForm::KeepLeftOf(QLabel* label, const QWidget* control)
{
    AfterLabelSizing([this, control, label, designLeft = label->x()] {
        label->move(std::min(designLeft, control->x() - scale_.X(TextGap) - label->width()), label->y());
    });
}

void TTSForm::GrowWithCaption(QAbstractButton* button)
{
    AfterLabelSizing([button, designWidth = button->width()] {
        button->resize(std::max(designWidth, button->sizeHint().width()), button->height());
    });
}

void TTSForm::AfterLabelSizing(std::function<void()> adjust)
{
    textRoomAdjustments_.push_back(std::move(adjust));
}

void TTSForm::showEvent(QShowEvent* event)
{
    // The language switcher has put the texts of the current language on the
    // form before this runs.
    AdjustLabelSizes();
    if (std::exchange(centreOnShow_, false)) {
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

bool TTSForm::event(QEvent* event)
{
    // A label whose text changed while the form is shown asks its parent
    // for a new layout.
    if (event->type() == QEvent::LayoutRequest)
        AdjustLabelSizes();
    return QDialog::event(event);
}

void TTSForm::BindButton(QAbstractButton* button, int modalResult, std::function<void()> onClick)
{
    connect(button, &QAbstractButton::clicked, this, [this, modalResult, onClick = std::move(onClick)] {
        modalResult_ = modalResult;
        if (onClick)
            onClick();
        if (modalResult_ != mrNone)
            done(modalResult_);
    });
}

void TTSForm::BindOkCancel(QPushButton* ok, QPushButton* cancel, std::function<void()> onOk)
{
    BindButton(ok, mrOk, std::move(onOk));
    BindButton(cancel, mrCancel);
    SetDefaultButton(ok);
    SetCancelButton(cancel);
}

TMltLang* TTSForm::LoadTranslations(const TFormResource& resource)
{
    auto* mltLang = new TMltLang(this);
    mltLang->setObjectName(QStringLiteral("MltLang"));
    LoadFormResource(*mltLang, resource);
    return mltLang;
}

namespace {

// Runs an action on every double click in a list's viewport.
class TDoubleClickFilter : public QObject {
public:
    TDoubleClickFilter(QWidget& viewport, std::function<void()> action) : QObject(&viewport), action_(std::move(action))
    {
        viewport.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonDblClick)
            return false;
        action_();
        return true;
    }

private:
    std::function<void()> action_;
};

} // namespace

void TTSForm::OnListDoubleClick(QAbstractItemView* list, std::function<void()> action)
{
    new TDoubleClickFilter(*list->viewport(), std::move(action));
}

void TTSForm::SetDefaultButton(QPushButton* button)
{
    button->setDefault(true);
    button->setAutoDefault(true);
}

void TTSForm::reject()
{
    if (cancelButton_) {
        cancelButton_->click();
        return;
    }
    modalResult_ = mrCancel;
    done(mrCancel);
}

void TTSForm::RunValidationPass(const std::function<void()>& checks, const std::function<void()>& commit)
{
    checks();
    if (ValidationFailed)
        modalResult_ = mrNone;
    else
        commit();
    ValidationFailed = false;
}

void TTSForm::SetControlText(QWidget* control, const std::string& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(QString::fromStdString(text));
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(QString::fromStdString(text));
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        memo->setPlainText(QString::fromStdString(text));
    else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable())
            combo->setEditText(QString::fromStdString(text));
        else
            combo->setCurrentIndex(combo->findText(QString::fromStdString(text)));
    } else if (auto* panel = qobject_cast<QGroupBox*>(control))
        panel->setTitle(QString::fromStdString(text));
}

void TTSForm::GetControlText(const QWidget* control, std::string& text)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        text = label->text().toStdString();
    else if (auto* edit = qobject_cast<const QLineEdit*>(control))
        text = edit->text().toStdString();
    else if (auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        text = memo->toPlainText().toStdString();
    else if (auto* combo = qobject_cast<const QComboBox*>(control))
        text = combo->currentText().toStdString();
    else if (auto* panel = qobject_cast<const QGroupBox*>(control))
        text = panel->title().toStdString();
}

void TTSForm::GetRequiredText(QWidget* control, std::string& text)
{
    GetControlText(control, text);
    if (!text.empty() || ValidationFailed)
        return;
    ShowMessageNo(MsgRequiredFieldEmpty);
    FocusControlIfWindowed(control);
    ValidationFailed = true;
}

void TTSForm::FocusControlIfWindowed(QWidget* control)
{
    if (control && control->focusPolicy() != Qt::NoFocus)
        control->setFocus();
}

void TTSForm::SetControlInt(QWidget* control, int32_t value)
{
    SetControlText(control, std::to_string(value));
}

bool TTSForm::GetControlInt(QWidget* control, int32_t& value)
{
    std::string text;
    GetControlText(control, text);
    if (const auto number = TryStrToInt(text.empty() ? "0" : text)) {
        value = *number;
        return true;
    }
    value = 0;
    if (!ValidationFailed) {
        ShowMessageNo(MsgNotANumber);
        FocusControlIfWindowed(control);
        ValidationFailed = true;
    }
    return false;
}

int32_t TTSForm::ControlInt(QWidget* control)
{
    int32_t value = 0;
    GetControlInt(control, value);
    return value;
}

bool TTSForm::GetSelectedIndex(QWidget* control, int& index)
{
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        const auto selected = list->selectedItems();
        index = selected.isEmpty() ? -1 : list->row(selected.first());
    } else if (auto* combo = qobject_cast<QComboBox*>(control))
        index = combo->currentIndex();
    if (!ValidationFailed && index == -1) {
        ShowMessageNo(MsgNothingSelected);
        FocusControlIfWindowed(control);
    }
    ValidationFailed = ValidationFailed || index == -1;
    return index != -1;
}

} // namespace tarvo
