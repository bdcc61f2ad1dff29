// The browser of the lessons page, in a module of its own: the web engine is large and
// slow to load, so the program loads this module, and with it the engine, only when
// the lessons page is first shown (see LessonBrowserModule).
#include <QCoreApplication>
#include <QOpenGLContext>
#include <QWebEngineView>

// Qt's own, exported by Qt GUI: the context every OpenGL context of the program shares.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The engine draws through an OpenGL context shared with the program's windows. A
// program that links the engine gets that context while it starts; this module comes
// later and creates it now, before the first view, on platforms that draw with OpenGL.
void shareOpenGLWithTheEngine()
{
    if (QOpenGLContext::globalShareContext())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    if (context->create())
        qt_gl_set_global_share_context(context);
    else
        delete context;
}

} // namespace

// A browser for local lesson documents, child of parent. The lessons page drives it
// through QWebEngineView's properties and signals ("url", "title", loadFinished).
extern "C" Q_DECL_EXPORT QWidget *vimselCreateLessonBrowser(QWidget *parent)
{
    shareOpenGLWithTheEngine();
    auto *view = new QWebEngineView(parent);
    // Its own menu speaks English and offers nothing a lesson needs; selecting and
    // copying text still work.
    view->setContextMenuPolicy(Qt::NoContextMenu);
    return view;
}
