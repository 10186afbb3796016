#pragma once
// Records the messages of Qt's logging while the recorder lives, instead of
// printing them: one "category: message" line each. One recorder at a time.

#include <QString>
#include <QtGlobal>

#include <string>
#include <vector>

namespace tarvo::testsupport {

class TLogRecorder {
public:
    TLogRecorder()
    {
        active_ = this;
        previous_ = qInstallMessageHandler(&Record);
    }
    ~TLogRecorder()
    {
        qInstallMessageHandler(previous_);
        active_ = nullptr;
    }
    TLogRecorder(const TLogRecorder&) = delete;
    TLogRecorder& operator=(const TLogRecorder&) = delete;

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    static void Record(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        active_->lines_.push_back(std::string(context.category) + ": " + message.toStdString());
    }

    static inline TLogRecorder* active_ = nullptr;
    QtMessageHandler previous_ = nullptr;
    std::vector<std::string> lines_;
};

} // namespace tarvo::testsupport
