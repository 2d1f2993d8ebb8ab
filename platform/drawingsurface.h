#ifndef DRAWINGSURFACE_H
#define DRAWINGSURFACE_H

#include <QImage>
#include <QWidget>

// A picture area that keeps what is drawn on it. Drawing goes into a backing
// image, which paintEvent() only copies to the screen; so a figure drawn
// before the widget is first shown, or while it is hidden, is still there
// when it appears. The drawing unit is the logical pixel, with the origin at
// the top left corner, x growing to the right and y downwards; the image
// itself has the screen's resolution (one image pixel per device pixel), so
// that the drawing is sharp on a scaled screen too.
//
// The pen state (width in pixels and line style) stays in force between
// calls until it is set again. Nothing is antialiased, so a mark drawn again
// in the background colour covers exactly the mark drawn before.
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    // Line styles, numbered as the pen styles of the drawing calls; the
    // program draws solid and dotted lines only, and any other number draws
    // solid.
    enum Style { Solid = 0, Dot = 2 };

    explicit DrawingSurface(QWidget *parent = nullptr);

    void setDrawWidth(int width);
    void setDrawStyle(int style);

    // The size of the drawing area in drawing units.
    float scaleWidth() const { return float(width()); }
    float scaleHeight() const { return float(height()); }

    // Marks the point (x, y) in the colour; with a pen wider than one pixel
    // the mark is a round dot that many pixels across, centred on the point.
    void pset(float x, float y, QRgb colour);
    // Draws the segment from (x1, y1) to (x2, y2) in the colour with the
    // current pen width and style.
    void line(float x1, float y1, float x2, float y2, QRgb colour);

    // The picture as drawn so far, whether or not the widget is visible, at
    // the screen's resolution (its devicePixelRatio() is the screen's).
    const QImage &image();

signals:
    // A click: the left button pressed and released over the picture, or
    // Space or Enter while it has the keyboard focus.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int deviceWidth() const;
    QPen pen(QRgb colour) const;
    void rasteriseDot(double cx, double cy, int width, QRgb pixel);
    void fitImage();

    QImage m_image;
    QColor m_background = Qt::white;
    int m_drawWidth = 1;
    int m_drawStyle = Solid;
    bool m_pressed = false;
};

#endif // DRAWINGSURFACE_H
