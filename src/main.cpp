#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Tavrin"));
    window.setAlignment(Qt::AlignCenter);
    window.setFont(QFont(QStringLiteral("Courier New"), 60));
    window.setStyleSheet(QStringLiteral("background: black; color: white;"));
    window.setMinimumSize(800, 600);
    window.setWindowTitle(QStringLiteral("Tavrin"));
    window.show();
    return app.exec();
}
