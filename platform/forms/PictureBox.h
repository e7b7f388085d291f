#pragma once

#include <QLabel>
#include <QPixmap>

// A picture drawn as large as its box allows, keeping its shape, in the middle
// of the box. A picture that cannot be loaded shows nothing.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    explicit PictureBox(const QString& resource, QWidget* parent = nullptr);

    // False when the file or resource could not be loaded (the box is then empty).
    bool loadPicture(const QString& path);
    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
