#pragma once

#include <QWidget>

namespace trend {

// The two arrows beside an edit box; the window moves the value they stand for.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
public:
    explicit TUpDown(QWidget* parent = nullptr);
    int maximum() const { return maximum_; }
    void setMaximum(int maximum) { maximum_ = maximum; }

signals:
    void arrowClicked(bool up);

private:
    int maximum_ = 100;
};

}  // namespace trend

using trend::TUpDown;
