#pragma once
// A value label that never widens the window: a long path is shortened in the
// middle, and the whole text is in the tooltip.
#include <QLabel>

namespace veltrun::gui {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent);
    void SetFullText(const QString& text);
    QString FullText() const { return full_text_; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();
    QString full_text_;
};

}  // namespace veltrun::gui
