#include "app/ReadingOverlay.h"

#include "app/CentredText.h"
#include "app/ContextView.h"
#include "app/Fader.h"
#include "app/LayerGeometry.h"
#include "display/FontResolver.h"
#include "library/LibraryStore.h"
#include "session/ContextText.h"
#include "settings/ColorConversion.h"

namespace tavrin {

namespace {

using Field = ReaderSession::Field;

constexpr double kContextFontSize = 18.0;
constexpr double kHintFontSize = 24.0;
constexpr double kHintOpacity = 0.5;
constexpr double kWhereFontSize = 13.0;
constexpr Animation kContextIn = Animation::easeIn(0.2);
constexpr Animation kContextOut = Animation::easeOut(0.3);

const QString kEmptyLibraryHint = QStringLiteral("Drop a book here or click + to add one");
const QString kStartHint = QStringLiteral("Space to read");
const QString kEndHint = QStringLiteral("The end \u00b7 Space to read again");

} // namespace

ReadingOverlay::ReadingOverlay(ReaderSession& session, QWidget* window)
    : QObject(window), m_session(session), m_context(new ContextView(window)),
      m_hint(new CentredText(window)), m_where(new CentredText(window)),
      m_contextFader(new Fader(
          m_context, [this](double opacity) { m_context->setOpacity(opacity); }, this)),
      m_whereFader(new Fader(
          m_where,
          [this](double opacity) { m_where->setOpacity(CentredText::kStatusOpacity * opacity); },
          this))
{
    m_context->setObjectName(QStringLiteral("contextView"));
    m_hint->setObjectName(QStringLiteral("hintText"));
    m_hint->setOpacity(kHintOpacity);
    m_where->setObjectName(QStringLiteral("whereText"));
    m_where->setTextFont(CentredText::statusFont(kWhereFontSize));

    connect(m_context, &ContextView::wordClicked, this,
            [this](std::int64_t index) { m_session.goToWord(index); });
    m_changedSubscription = m_session.changed.subscribe(
        [this](Field field, Animation animation) { onChanged(field, animation); });
    // The empty library's hint goes with its first book.
    m_booksSubscription = m_session.library().booksChanged.subscribe([this] { updateHint(); });

    m_context->hide();
    m_where->hide();
    updateColors();
    updateFonts();
    updateContext();
    updateHint();
    updateWhere(Animation::immediate());
}

ReadingOverlay::~ReadingOverlay() = default;

bool ReadingOverlay::showsContext(const ReaderSession& session)
{
    return session.isPaused() && !session.tokens().empty();
}

QString ReadingOverlay::hintText(ReaderSession& session)
{
    if (session.tokens().empty()) {
        return session.library().books().empty() && !session.isLoading() ? kEmptyLibraryHint
                                                                         : QString();
    }
    if (session.isFinished()) {
        return kEndHint;
    }
    return session.showsStartHint() ? kStartHint : QString();
}

void ReadingOverlay::layOut(QSizeF window, double wordHeight, const QRectF& hud,
                            const QRectF& pause)
{
    m_hint->setGeometry(
        LayerGeometry::hintRect(window, m_hint->bandHeight(), wordHeight).toAlignedRect());
    m_context->setGeometry(LayerGeometry::contextRect(window, hud, pause).toAlignedRect());
    m_where->setGeometry(LayerGeometry::whereRect(window, m_where->bandHeight()).toAlignedRect());
}

void ReadingOverlay::onChanged(Field field, Animation animation)
{
    switch (field) {
    case Field::textColor:
    case Field::orpColor:
        updateColors();
        break;
    case Field::selectedFont:
        updateFonts();
        break;
    case Field::tokens:
        updateContext();
        updateHint();
        updateWhere(animation);
        break;
    case Field::currentIndex:
        updateContext();
        updateHint();
        updateWhere({});
        break;
    case Field::isPaused:
        updateContext();
        break;
    case Field::isPlaying:
    case Field::isFinished:
    case Field::isLoading:
    case Field::currentBookID:
        updateHint();
        break;
    case Field::wpm:
        updateWhere({});
        break;
    case Field::showGear:
        updateWhere(animation);
        break;
    default:
        break;
    }
}

void ReadingOverlay::updateContext()
{
    // Built only while shown: during playback the index moves every word.
    const bool shown = showsContext(m_session);
    if (shown) {
        m_context->setContext(ContextText::around(m_session.tokens(), m_session.currentIndex()));
    }
    m_contextFader->fadeTo(shown, shown ? kContextIn : kContextOut);
}

void ReadingOverlay::updateHint()
{
    const QString text = hintText(m_session);
    m_hint->setText(text);
    m_hint->setVisible(!text.isEmpty());
}

void ReadingOverlay::updateWhere(Animation animation)
{
    const bool shown = m_session.showGear() && !m_session.tokens().empty();
    if (shown) {
        m_where->setText(QString::fromStdString(m_session.whereText()));
    }
    m_whereFader->fadeTo(shown, animation);
}

void ReadingOverlay::updateColors()
{
    const QColor text = toQColor(m_session.textColor());
    m_context->setColors(text, toQColor(m_session.orpColor()));
    m_hint->setColor(text);
    m_where->setColor(text);
}

void ReadingOverlay::updateFonts()
{
    const QString family = QString::fromStdString(m_session.selectedFont());
    m_context->setTextFont(FontResolver::resolve(family, kContextFontSize));
    m_hint->setTextFont(FontResolver::resolve(family, kHintFontSize));
}

} // namespace tavrin
