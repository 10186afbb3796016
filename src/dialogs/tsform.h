#pragma once
// The base of every form: placement of a form owned by another form, text
// access to controls whatever their kind, and the validation protocol that
// makes a dialog report only the first invalid input of an OK click.
//
// A form is a QDialog laid out from its design rectangles (designlayout.h).
// Its modal result is the design's button number: 1 OK, 2 Cancel, 0 none.
// A button bound with BindButton sets the modal result, runs its handler
// and closes the form unless the handler set the result back to none.

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/designlayout.h"

class QAbstractButton;
class QAbstractItemView;
class QLabel;
class QPushButton;

namespace tarvo {

class TMltLang;
struct TFormResource;

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TTSForm : public QDialog {
    Q_OBJECT

public:
    // A form owned by owner (nullptr for the application); placed by the
    // owner rule at once.
    explicit TTSForm(QWidget* owner);

    // True once a check of the current validation pass has failed.
    bool ValidationFailed = false;

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Shows the form modally and returns its modal result.
    int ShowModal();

    // Text of a label, edit, memo, combo box or panel (group box); other
    // controls are left alone: a write does nothing, a read leaves text as
    // it was.
    static void SetControlText(QWidget* control, const std::string& text);
    static void GetControlText(const QWidget* control, std::string& text);
    // Reads the text; an empty one fails the pass (message 10, focus).
    void GetRequiredText(QWidget* control, std::string& text);
    // Gives the control the keyboard focus if it can take it (labels cannot).
    static void FocusControlIfWindowed(QWidget* control);
    static void SetControlInt(QWidget* control, int32_t value);
    // Reads the text as a number (empty is 0); a text that is not a number
    // gives 0 and false and fails the pass (message 7, focus).
    bool GetControlInt(QWidget* control, int32_t& value);
    int32_t ControlInt(QWidget* control);
    // The selected line of a list box or combo box into index (-1 for none);
    // other controls keep the caller's index. No selection fails the pass
    // (message 8, focus). True when index is not -1.
    bool GetSelectedIndex(QWidget* control, int& index);

    // Sizes the form's labels to their texts again (after a language change)
    // and gives a label that has come to show an "&" its control (AddLabel).
    void AdjustLabelSizes();

protected:
    const TDesignScale& Scale() const { return scale_; }
    // Sets the fixed client size from design pixels; the form cannot be resized.
    void SetDesignClientSize(int width, int height);
    // Creates a named control of the form at its scaled design rectangle.
    template <class Control>
    Control* AddControl(const char* name, const TDesignRect& rect)
    {
        auto* control = new Control(this);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(scale_.Map(rect));
        return control;
    }
    // A label sizes itself to its text from its scaled top-left corner (a
    // horizontally centred one about its centre); focusTarget, if given,
    // receives the focus from the label's access key. A label without one
    // whose caption holds an "&" gets the next control created after it that
    // takes the focus: Qt shows the "&" of a label without a buddy as it is.
    QLabel* AddLabel(const char* name, const TDesignRect& rect, QWidget* focusTarget = nullptr,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    // Where the desktop's font makes a text wider than the design's room,
    // with every sizing of the labels (AdjustLabelSizes):
    // - control, on the row of label, keeps a small gap after the label's
    //   text, moving right of its design place when the text needs it;
    void KeepRightOf(QWidget* control, const QLabel* label);
    // - label ends that gap before control, moving left of its design place
    //   when its text needs it;
    void KeepLeftOf(QLabel* label, const QWidget* control);
    // - a check box grows to its caption beyond its design width;
    void GrowWithCaption(QAbstractButton* button);
    // - and adjust runs, after the adjustments registered before it.
    void AfterLabelSizing(std::function<void()> adjust);
    // The form is centred on its screen the first time it is shown.
    void PlaceCentredWhenFirstShown() { centreOnShow_ = true; }

    // The button sets the modal result, then runs onClick; the form closes
    // with the modal result unless onClick set it back to mrNone.
    void BindButton(QAbstractButton* button, int modalResult, std::function<void()> onClick = {});
    // The pair every dialog has: OK (the default button, modal result OK,
    // running onOk) and Cancel (the cancel button, modal result Cancel).
    void BindOkCancel(QPushButton* ok, QPushButton* cancel, std::function<void()> onOk);
    // Creates the form's language switcher, named as its translations expect,
    // and loads the form's stored translations; call once every control exists.
    TMltLang* LoadTranslations(const TFormResource& resource);
    // A double click anywhere in the list, on a line or on the empty space
    // below the lines, runs the action (which acts on the selected line).
    static void OnListDoubleClick(QAbstractItemView* list, std::function<void()> action);
    // The default button answers Enter.
    static void SetDefaultButton(QPushButton* button);
    // Escape and the window's close box click the cancel button.
    void SetCancelButton(QAbstractButton* button) { cancelButton_ = button; }

    // Runs one validation pass: checks() reads the inputs through the
    // checked accessors; when a check failed the form stays open, otherwise
    // commit() runs. The flag is cleared for the next pass either way.
    void RunValidationPass(const std::function<void()>& checks, const std::function<void()>& commit);

    void reject() override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PlaceByOwner();
    static void FitLabel(QLabel& label);
    void GiveAccessKeyTarget(QLabel& label) const;

    TDesignScale scale_;
    int modalResult_ = mrNone;
    QAbstractButton* cancelButton_ = nullptr;
    bool centreOnShow_ = false;
    std::vector<QLabel*> autoSizeLabels_;
    std::vector<std::function<void()>> textRoomAdjustments_;
};

} // namespace tarvo
