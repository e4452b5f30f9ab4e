#include "appcast.h"

#include <QVersionNumber>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A feed lists a few hundred builds at most.
constexpr qsizetype maximumItems = 1000;

AppcastItem readItem(QXmlStreamReader &xml) {
    AppcastItem item;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"title") {
            item.title = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (name == u"description") {
            // Markup written as elements rather than escaped text still gives its words.
            item.itemDescription =
                xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (name == u"version") {
            item.version = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (name == u"shortVersionString") {
            item.displayVersionString =
                xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (name == u"enclosure") {
            for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                const QString value = attribute.value().trimmed().toString();
                if (attribute.name() == u"url") {
                    item.downloadUrl = value;
                } else if (attribute.name() == u"version" && item.version.isEmpty()) {
                    item.version = value;
                } else if (attribute.name() == u"shortVersionString" &&
                           item.displayVersionString.isEmpty()) {
                    item.displayVersionString = value;
                }
            }
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (item.displayVersionString.isEmpty()) {
        item.displayVersionString = item.version;
    }
    return item;
}

} // namespace

std::optional<QList<AppcastItem>> Appcast::parse(const QByteArray &bytes) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"rss") {
        return std::nullopt;
    }
    QList<AppcastItem> items;
    bool sawChannel = false;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"channel") {
            xml.skipCurrentElement();
            continue;
        }
        sawChannel = true;
        while (xml.readNextStartElement()) {
            if (xml.name() != u"item") {
                xml.skipCurrentElement();
                continue;
            }
            AppcastItem item = readItem(xml);
            if (!item.version.isEmpty() && items.size() < maximumItems) {
                items.append(std::move(item));
            }
        }
    }
    // Reading on to the end also catches malformed text after the channel.
    while (!xml.atEnd()) {
        xml.readNext();
    }
    if (xml.hasError() || !sawChannel) {
        return std::nullopt;
    }
    return items;
}

bool Appcast::isNewer(const QString &version, const QString &than) {
    const QVersionNumber number = QVersionNumber::fromString(version);
    return !number.isNull() && number > QVersionNumber::fromString(than);
}

std::optional<AppcastItem> Appcast::newest(const QList<AppcastItem> &items, const QString &build) {
    std::optional<AppcastItem> best;
    for (const AppcastItem &item : items) {
        if (isNewer(item.version, best ? best->version : build)) {
            best = item;
        }
    }
    return best;
}

} // namespace zorv
