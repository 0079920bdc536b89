#pragma once

#include <QString>

namespace quelvo::swf::xml {

// Replaces the predefined entities (&lt; &gt; &amp; &quot; &apos;) and
// character references (&#65; &#x41;) with their characters; anything else
// that starts with & stays as written.
QString decodeEntities(QStringView text);

// Text as it goes back into markup: & < > " ' as entities.
QString escapeText(QStringView text);

}  // namespace quelvo::swf::xml
