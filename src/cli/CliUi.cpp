#include "cli/CliUi.h"

namespace cli {

platform::Answer CliUi::message(const platform::Message& message)
{
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_err << "mavix-cli: " << text << '\n';
    m_err.flush();
    switch (message.buttons) {
    case platform::Buttons::Ok:
    case platform::Buttons::OkCancel:
        return platform::Answer::Ok;
    case platform::Buttons::YesNo:
    case platform::Buttons::YesNoCancel:
    case platform::Buttons::YesCancel:
        return platform::Answer::Yes;
    }
    return platform::Answer::Ok;
}

} // namespace cli
