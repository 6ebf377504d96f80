#pragma once

#include "TPrawaDostepu.h"

#include <QString>
#include <memory>

class SharedConnection;
class IMessageService;

// The report generator's silent login from its command line: verifies the password and
// loads the rights; no lockout, no policy, no password change, and blocked accounts count.
class ReportLogin {
public:
    static const QString AccountQuery;

    ReportLogin(SharedConnection& connection, IMessageService& messages);

    // True when the name and password are right; the rights then replace the previous ones.
    bool BitBtn1Click(const QString& name, const QString& password);
    const TPrawaDostepu* Rights() const { return m_rights.get(); }

private:
    SharedConnection& m_connection;
    IMessageService& m_messages;
    std::unique_ptr<TPrawaDostepu> m_rights;
};
