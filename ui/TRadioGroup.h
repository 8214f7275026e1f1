#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace trend {

// A titled group of radio buttons made from a list of captions, laid out in columns. Its
// item index is -1 when no item is selected; setting it selects without a click.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return items_; }
    void setItems(const QStringList& items);
    int columns() const { return columns_; }
    void setColumns(int columns);

    int ItemIndex() const;
    void setItemIndex(int index);
    QString itemCaption(int index) const;

signals:
    // The user selected an item.
    void clicked();

private:
    void rebuild();

    QStringList items_;
    int columns_ = 1;
    QButtonGroup* buttons_;
};

}  // namespace trend

using trend::TRadioGroup;
