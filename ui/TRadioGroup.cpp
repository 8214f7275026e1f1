#include "TRadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

namespace trend {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), buttons_(new QButtonGroup(this)) {
    buttons_->setExclusive(true);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(0);
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int) { emit clicked(); });
}

void TRadioGroup::setItems(const QStringList& items) {
    items_ = items;
    rebuild();
}

void TRadioGroup::setColumns(int columns) {
    columns_ = std::max(1, columns);
    rebuild();
}

void TRadioGroup::rebuild() {
    for (QAbstractButton* button : buttons_->buttons()) {
        buttons_->removeButton(button);
        delete button;
    }
    auto* grid = static_cast<QGridLayout*>(layout());
    const int rows = (static_cast<int>(items_.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < items_.size(); ++i) {
        auto* button = new QRadioButton(items_[i], this);
        button->setObjectName(objectName() + QStringLiteral("_item") + QString::number(i));
        buttons_->addButton(button, i);
        grid->addWidget(button, i % std::max(1, rows), i / std::max(1, rows));
    }
}

int TRadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
    if (index < 0 || index >= items_.size()) {
        // An exclusive group cannot uncheck its button; lift the rule for a moment.
        if (QAbstractButton* checked = buttons_->checkedButton()) {
            buttons_->setExclusive(false);
            checked->setChecked(false);
            buttons_->setExclusive(true);
        }
        return;
    }
    buttons_->button(index)->setChecked(true);
}

QString TRadioGroup::itemCaption(int index) const {
    return index >= 0 && index < items_.size() ? items_[index] : QString();
}

}  // namespace trend
