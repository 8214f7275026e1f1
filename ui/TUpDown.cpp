#include "TUpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace trend {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (bool up : {true, false}) {
        auto* arrow = new QToolButton(this);
        arrow->setObjectName(up ? QStringLiteral("up") : QStringLiteral("down"));
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(arrow);
        connect(arrow, &QToolButton::clicked, this, [this, up] { emit arrowClicked(up); });
    }
}

}  // namespace trend
