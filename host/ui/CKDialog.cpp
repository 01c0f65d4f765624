#include "host/ui/CKDialog.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QVariant>

namespace kelo {

CKDialog::CKDialog(int dialogId, QWidget* parent) : QWidget(parent), m_dialogId(dialogId) {}

CKDialog::~CKDialog()
{
    // A modal run still waiting would return into a deleted object.
    if (m_loop) m_loop->quit();
}

bool CKDialog::Create(QWidget* parent)
{
    if (parent && parentWidget() != parent) setParent(parent, windowFlags() & ~Qt::Window);
    if (m_initialised) return true;
    m_initialised = true;
    return OnInitDialog();
}

int CKDialog::DoModal(QWidget* owner)
{
    setParent(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    m_result = 0;
    if (!m_initialised) {
        m_initialised = true;
        if (!OnInitDialog()) {
            m_destroyed = true;
            OnDestroy();
            return -1;
        }
    }
    // A dialog is laid out for its contents; a window manager that ignores the hints against
    // minimise and maximise boxes still leaves the maximise box off a window of one size.
    if (!testAttribute(Qt::WA_Resized)) adjustSize();
    setFixedSize(size());
    show();
    QEventLoop loop;
    QPointer<CKDialog> self(this);
    m_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (!self) return IDCANCEL;  // deleted under its own modal run
    m_loop = nullptr;
    hide();
    if (!m_destroyed) {
        m_destroyed = true;
        OnDestroy();
    }
    return m_result;
}

void CKDialog::EndDialog(int result)
{
    m_result = result;
    if (m_loop) m_loop->quit();
}

bool CKDialog::OnCommand(int id)
{
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CKDialog::SendCommand(int id)
{
    if (m_destroyed) return false;
    return OnCommand(id);
}

void CKDialog::PostCommand(int id)
{
    QPointer<CKDialog> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, id] {
            if (self && !self->m_destroyed) self->OnCommand(id);
        },
        Qt::QueuedConnection);
}

void CKDialog::DestroyWindow()
{
    if (m_destroyed) return;
    if (m_loop) {
        // A modal dialog ends through its run: DoModal destroys it and the caller deletes it.
        EndDialog(IDCANCEL);
        return;
    }
    m_destroyed = true;
    QPointer<CKDialog> self(this);
    OnDestroy();
    // Dialogs inside this one go first, as child windows do; each detaches itself.
    const QList<CKDialog*> inner = findChildren<CKDialog*>();
    QList<QPointer<CKDialog>> guarded(inner.begin(), inner.end());
    for (const QPointer<CKDialog>& d : guarded)
        if (d) d->DestroyWindow();
    if (!self) return;
    hide();
    // Detached, so the parent's deletion never frees a dialog that delays its own deletion.
    setParent(nullptr);
    PostNcDestroy();
}

void CKDialog::SetHelpProperty(QWidget* window, int topic)
{
    if (window) window->setProperty(kHelpProperty, topic);
}

int CKDialog::GetHelpProperty(const QWidget* window)
{
    if (!window) return 0;
    const QVariant v = window->property(kHelpProperty);
    return v.isValid() ? v.toInt() : 0;
}

void CKDialog::RemoveHelpProperty(QWidget* window)
{
    if (window) window->setProperty(kHelpProperty, QVariant());
}

bool CKDialog::OnInitDialog() { return true; }

void CKDialog::OnOK()
{
    if (m_loop) EndDialog(IDOK);
}

void CKDialog::OnCancel()
{
    if (m_loop)
        EndDialog(IDCANCEL);
    else if (isWindow())
        DestroyWindow();
}

void CKDialog::OnDestroy() {}

void CKDialog::PostNcDestroy() { deleteLater(); }

void CKDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape belong to the window's dialog; inside a page or pane they travel on to it.
    const bool own = isWindow() || m_loop;
    if (own && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            SendCommand(IDOK);
            event->accept();
            return;
        case Qt::Key_Escape:
            SendCommand(IDCANCEL);
            event->accept();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void CKDialog::closeEvent(QCloseEvent* event)
{
    // The close box is Cancel; whether the window goes is OnCancel's decision.
    event->ignore();
    SendCommand(IDCANCEL);
}

}  // namespace kelo
