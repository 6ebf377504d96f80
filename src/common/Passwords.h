#pragma once

#include <QString>

// Hash of a new password for APRAWADOSTEPU.Haslo. Any error is raised again as
// EKolmError("Błąd haszowania: " + its text).
QString HashPassword(const QString& plain);

// Whether plain is the password of the stored hash. Errors pass through unchanged: EKolmError
// "Invalid base64 hash string" for a stored value that is no hash, EBCryptException for a bad cost.
bool VerifyPassword(const QString& plain, const QString& stored);
