#pragma once

#include <QObject>

namespace trend {

// Stands in for the asynchronous Escape key state: notes an Escape press anywhere in the
// application; the run control asks and clears it between files.
class EscapeKeyWatch : public QObject {
public:
    explicit EscapeKeyWatch(QObject* parent = nullptr);
    ~EscapeKeyWatch() override;
    // Escape was pressed since the last query.
    bool takePressed();
    void clear() { pressed_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace trend
