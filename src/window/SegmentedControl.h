#pragma once
// A row of joined buttons of which one is selected (view mode) or which act
// momentarily (font size): the toolbar's segmented controls.

#include <QButtonGroup>
#include <QIcon>
#include <QWidget>

class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    enum class Tracking { SelectOne, Momentary };

    SegmentedControl(Tracking tracking, QWidget* parent = nullptr);

    void addSegment(const QIcon& icon, const QString& text, const QString& toolTip);
    int selectedSegment() const { return selected_; }
    void setSelectedSegment(int segment);
    int segmentCount() const { return int(group_.buttons().size()); }

signals:
    // A segment was clicked; selectedSegment() is already that segment.
    void segmentClicked(int segment);

private:
    Tracking tracking_;
    QButtonGroup group_;
    int selected_ = -1;
};
