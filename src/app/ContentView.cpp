#include "app/ContentView.h"

#include "app/ButtonColumn.h"
#include "app/CentredText.h"
#include "app/ContextView.h"
#include "app/ControlButton.h"
#include "app/ControlSymbols.h"
#include "app/CoverView.h"
#include "app/Fader.h"
#include "app/LayerGeometry.h"
#include "app/PanelHost.h"
#include "app/PanelStrip.h"
#include "app/PauseSymbolView.h"
#include "app/PointerMotionFilter.h"
#include "app/ProgressBar.h"
#include "app/ReadingOverlay.h"
#include "app/WindowPlatform.h"
#include "display/FontResolver.h"
#include "display/ORPWordView.h"
#include "display/OrpIndex.h"
#include "library/FileDropFilter.h"
#include "library/LibraryStore.h"
#include "session/Clock.h"
#include "settings/ColorConversion.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <chrono>

namespace tavrin {

namespace {

using Field = ReaderSession::Field;

constexpr std::chrono::milliseconds kFullScreenDelay{100};

const QString kTitle = QStringLiteral("Tavrin");
const QString kLoading = QStringLiteral("Loading\u2026");
constexpr double kLoadingFontSize = 24.0;
constexpr double kLoadingOpacity = 0.5;
constexpr double kHudFontSize = 18.0;
constexpr double kPauseSymbolSize = 32.0;

} // namespace

ContentView::ContentView(ReaderSession& session, Clock& clock, DocumentLoader* loader,
                         QWidget* parent)
    : QWidget(parent), m_session(session), m_fullScreenTimer(clock.createTimer()),
      m_wordView(new ORPWordView(this)), m_title(new CentredText(this)),
      m_pauseSymbol(new PauseSymbolView(this)), m_loadingLine(new CentredText(this)),
      m_hud(new CentredText(this)), m_buttonColumn(new ButtonColumn(this)),
      m_progressBar(new ProgressBar(this)), m_cover(new CoverView(this)),
      m_panels(new PanelHost(session, loader, this)), m_overlay(new ReadingOverlay(session, this)),
      m_coverFader(new Fader(
          m_cover, [this](double opacity) { m_cover->setOpacity(opacity); }, this)),
      m_hudFader(new Fader(
          m_hud,
          [this](double opacity) { m_hud->setOpacity(CentredText::kStatusOpacity * opacity); },
          this)),
      m_buttonFader(new Fader(
          m_buttonColumn, [this](double opacity) { m_buttonColumn->setOpacity(opacity); }, this)),
      m_progressFader(new Fader(
          m_progressBar, [this](double opacity) { m_progressBar->setOpacity(opacity); }, this)),
      m_pointerFilter(new PointerMotionFilter([this] { onPointerMoved(); }, this))
{
    setObjectName(QStringLiteral("contentView"));
    // The background is painted whole, so nothing beneath needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_title->setObjectName(QStringLiteral("titleText"));
    m_title->setText(kTitle);
    m_loadingLine->setObjectName(QStringLiteral("loadingText"));
    m_loadingLine->setText(kLoading);
    m_loadingLine->setOpacity(kLoadingOpacity);
    m_hud->setObjectName(QStringLiteral("hudText"));
    m_hud->setTextFont(CentredText::statusFont(kHudFontSize));
    m_pauseSymbol->setObjectName(QStringLiteral("pauseSymbol"));
    m_buttonColumn->setObjectName(QStringLiteral("buttonColumn"));

    addToLayer(Layer::word, m_title);
    addToLayer(Layer::word, m_wordView);
    addToLayer(Layer::context, m_overlay->contextView());
    addToLayer(Layer::pauseSymbol, m_pauseSymbol);
    addToLayer(Layer::cover, m_cover);
    addToLayer(Layer::loading, m_loadingLine);
    addToLayer(Layer::hint, m_overlay->hintLine());
    addToLayer(Layer::hud, m_hud);
    addToLayer(Layer::hud, m_overlay->whereLine());
    addToLayer(Layer::libraryStrip, m_panels->libraryStrip());
    addToLayer(Layer::settingsStrip, m_panels->settingsStrip());
    addToLayer(Layer::contentsStrip, m_panels->contentsStrip());
    addToLayer(Layer::buttonColumn, m_buttonColumn);
    addToLayer(Layer::progressBar, m_progressBar);

    connect(m_buttonColumn->gearButton(), &QAbstractButton::clicked, this,
            [this] { m_session.toggleSettingsPanel(); });
    connect(m_buttonColumn->libraryButton(), &QAbstractButton::clicked, this,
            [this] { m_session.toggleBooksPanel(); });
    connect(m_buttonColumn->contentsButton(), &QAbstractButton::clicked, this,
            [this] { m_session.toggleContentsPanel(); });
    connect(new FileDropFilter(this), &FileDropFilter::fileDropped, m_panels,
            &PanelHost::importFile);
    connect(m_progressBar, &ProgressBar::seekRequested, this,
            [this](double fraction) { m_session.seekToFraction(fraction); });
    connect(m_panels, &PanelHost::panelClosed, this, &ContentView::takeKeyboardBack);

    m_changedSubscription = m_session.changed.subscribe(
        [this](Field field, Animation animation) { onChanged(field, animation); });
    m_pointerHideSubscription =
        m_session.pointerHideRequested.subscribe([] { WindowPlatform::hidePointer(); });
    m_leaveFullScreenSubscription = m_session.leaveFullScreenRequested.subscribe(
        [this] { WindowPlatform::leaveFullScreen(window()); });
    // The open book's record may come or go, or get its cover, without the book changing.
    m_booksSubscription =
        m_session.library().booksChanged.subscribe([this] { updateCover(Animation::immediate()); });

    // Everything starts from the session's current state.
    m_wordView->setFontName(QString::fromStdString(m_session.selectedFont()));
    m_wordView->setFontSize(m_session.fontSize());
    m_wordView->setOrpColor(toQColor(m_session.orpColor()));
    updateTextColor();
    updateFonts();
    showWordOrTitle();
    m_pauseSymbol->setVisible(m_session.isPaused());
    m_loadingLine->setVisible(m_session.isLoading());
    m_hud->setText(QString::fromStdString(m_session.feedbackText()));
    m_hudFader->fadeTo(m_session.showFeedback(), Animation::immediate());
    updateControls(Animation::immediate());
    updateCover(Animation::immediate());
    layOut();
}

ContentView::~ContentView()
{
    WindowPlatform::showPointer();
}

void ContentView::enterFullScreen()
{
    m_fullScreenTimer->start(kFullScreenDelay,
                             [this] { WindowPlatform::enterFullScreen(window()); });
}

void ContentView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_appeared) {
        m_appeared = true;
        appear();
    }
}

void ContentView::appear()
{
    // Movement is judged against where the pointer rests when the window appears, so the
    // window turning up under a resting pointer shows no controls.
    if (QWindow* handle = window()->windowHandle()) {
        handle->installEventFilter(m_pointerFilter);
    }
    m_pointerFilter->setRestingPosition(QCursor::pos());
}

void ContentView::takeKeyboardBack()
{
    // Panel controls take no focus; this covers anything that took it all the same.
    if (QWidget* focus = QApplication::focusWidget(); focus != this && isAncestorOf(focus)) {
        setFocus(Qt::OtherFocusReason);
    }
}

void ContentView::onPointerMoved()
{
    WindowPlatform::showPointer();
    m_session.pointerMoved();
}

void ContentView::keyPressEvent(QKeyEvent* event)
{
    // Only keys the reader's own commands passed on arrive here.
    if (WindowPlatform::isFullScreenKey(*event)) {
        WindowPlatform::toggleFullScreen(window());
        return;
    }
    if (WindowPlatform::isQuitKey(*event)) {
        Q_EMIT quitRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ContentView::onChanged(Field field, Animation animation)
{
    switch (field) {
    case Field::backgroundColor:
        update();
        break;
    case Field::textColor:
        updateTextColor();
        break;
    case Field::orpColor:
        m_wordView->setOrpColor(toQColor(m_session.orpColor()));
        break;
    case Field::selectedFont:
        m_wordView->setFontName(QString::fromStdString(m_session.selectedFont()));
        updateFonts();
        layOut();
        break;
    case Field::fontSize:
        m_wordView->setFontSize(m_session.fontSize());
        updateFonts();
        layOut();
        break;
    case Field::tokens:
        showWordOrTitle();
        updateControls(animation);
        updateCover(animation);
        break;
    case Field::currentIndex:
        updateWord();
        m_progressBar->setProgress(m_session.progress());
        break;
    case Field::isPaused:
        m_pauseSymbol->setVisible(m_session.isPaused());
        updateCover(animation);
        break;
    case Field::isLoading:
        m_loadingLine->setVisible(m_session.isLoading());
        break;
    case Field::feedbackText:
        m_hud->setText(QString::fromStdString(m_session.feedbackText()));
        break;
    case Field::showFeedback:
        m_hudFader->fadeTo(m_session.showFeedback(), animation);
        break;
    case Field::showGear:
        updateControls(animation);
        updateCover(animation);
        break;
    case Field::showSettings:
    case Field::showBooks:
    case Field::showContents:
        updateControls(animation);
        break;
    case Field::currentBookID:
        updateCover(animation);
        break;
    case Field::wpm:
    case Field::isPlaying:
    case Field::isFinished:
        break;
    }
}

void ContentView::addToLayer(Layer layer, QWidget* widget)
{
    const auto above = std::find_if(m_layers.begin(), m_layers.end(),
                                    [layer](const auto& entry) { return entry.first > layer; });
    m_layers.insert(above, {layer, widget});
    for (const auto& [_, w] : m_layers) {
        w->raise();
    }
}

void ContentView::layOut()
{
    const QSizeF window(size());
    m_wordView->setGeometry(rect());
    m_title->setGeometry(rect());
    m_pauseSymbol->setGeometry(
        LayerGeometry::pauseSymbolRect(
            window, ControlSymbols::glyphSize(ControlSymbols::Symbol::pause, kPauseSymbolSize))
            .toAlignedRect());
    const QFontMetricsF word(m_title->textFont());
    const double wordHeight = word.ascent() + word.descent();
    m_loadingLine->setGeometry(
        LayerGeometry::loadingRect(window, m_loadingLine->bandHeight(), wordHeight)
            .toAlignedRect());
    const QRectF hud = LayerGeometry::hudRect(window, m_hud->bandHeight());
    m_hud->setGeometry(hud.toAlignedRect());
    m_overlay->layOut(window, wordHeight, hud, m_pauseSymbol->geometry());
    m_buttonColumn->setGeometry(LayerGeometry::buttonColumnRect(window,
                                                                QSizeF(ControlButton::fixedSize()),
                                                                ButtonColumn::kButtonCount)
                                    .toAlignedRect());
    m_progressBar->setGeometry(LayerGeometry::progressStripRect(window).toAlignedRect());
    const int margin = CoverView::shadowMargin();
    m_cover->setGeometry(LayerGeometry::coverRect(window).toAlignedRect().adjusted(-margin, -margin,
                                                                                   margin, margin));
    m_panels->layOut();
}

void ContentView::showWordOrTitle()
{
    const bool hasWords = !m_session.tokens().empty();
    m_title->setVisible(!hasWords);
    m_wordView->setVisible(hasWords);
    updateWord();
    m_progressBar->setProgress(m_session.progress());
}

void ContentView::updateWord()
{
    const auto& tokens = m_session.tokens();
    if (tokens.empty()) {
        return;
    }
    const auto last = static_cast<std::int64_t>(tokens.size()) - 1;
    const auto index =
        static_cast<std::size_t>(std::clamp<std::int64_t>(m_session.currentIndex(), 0, last));
    const std::string& text = tokens[index].text;
    m_wordView->setOrpIndex(orpIndex(text));
    m_wordView->setWord(QString::fromStdString(text));
}

void ContentView::updateTextColor()
{
    const QColor color = toQColor(m_session.textColor());
    m_wordView->setTextColor(color);
    m_title->setColor(color);
    m_loadingLine->setColor(color);
    m_hud->setColor(color);
}

void ContentView::updateFonts()
{
    const QString family = QString::fromStdString(m_session.selectedFont());
    m_title->setTextFont(FontResolver::resolve(family, m_session.fontSize()));
    m_loadingLine->setTextFont(FontResolver::resolve(family, kLoadingFontSize));
}

void ContentView::updateControls(Animation animation)
{
    m_buttonFader->fadeTo(m_session.showGear() || m_session.anyPanelOpen(), animation);
    m_progressFader->fadeTo(m_session.showGear() && !m_session.tokens().empty(), animation);
}

const Book* ContentView::openBookRecord() const
{
    const auto id = m_session.currentBookID();
    if (!id) {
        return nullptr;
    }
    return m_session.library().find(*id);
}

void ContentView::updateCover(Animation animation)
{
    const Book* book = openBookRecord();
    if (book) {
        std::optional<QString> imagePath;
        if (book->coverImagePath) {
            imagePath = QString::fromStdString(*book->coverImagePath);
        }
        m_cover->setBook(QString::fromStdString(book->title), imagePath);
    }
    // A cover fading out keeps showing the book it showed. It stands where the text around
    // the word does, and gives way to it.
    m_coverFader->fadeTo(m_session.showGear() && !m_session.tokens().empty() && book &&
                             !ReadingOverlay::showsContext(m_session),
                         animation);
}

void ContentView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), toQColor(m_session.backgroundColor()));
}

void ContentView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

} // namespace tavrin
