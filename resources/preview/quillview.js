// The preview's own page-side functions, under one name: `quillview`. They
// run in the application's script world, which the document cannot see, and
// are set up for every document the page shows, before the document's own
// scripts. The C++ side only ever calls them by name. This file comes first;
// blockupdate.js and outline.js add to the same object.
(function (quillview) {
  'use strict';

  // ------------------------------------------------------------- scrolling

  quillview.restoreScroll = function (x, y) {
    window.scrollTo(x, y);
  };

  // ------------------------------------------------- anchor links, scripts

  // The converters write in-page links as `href="javascript:;"` with
  // `onclick="document.location.hash='name';"`. The document's scripts may
  // not run, so the click is handled here. Returns the name, or null for any
  // other handler.
  function anchorOf(handler) {
    var prefix = "document.location.hash='", suffix = "';";
    if (!handler || handler.indexOf(prefix) !== 0 || handler.length < prefix.length + suffix.length
        || handler.slice(-suffix.length) !== suffix)
      return null;
    return handler.slice(prefix.length, handler.length - suffix.length);
  }

  quillview.scrollToAnchor = function (name) {
    var target = document.getElementById(name) || document.getElementsByName(name)[0];
    if (target)
      target.scrollIntoView();
  };

  function followAnchorLink(event) {
    var link = event.target && event.target.closest ? event.target.closest('a[onclick]') : null;
    var name = link ? anchorOf(link.getAttribute('onclick')) : null;
    if (name === null)
      return;
    event.preventDefault();
    if (location.hash === '#' + name)
      quillview.scrollToAnchor(name);
    else
      location.hash = name;
  }

  // Whether the document holds scripts of its own: script elements, event
  // handlers other than the converters' anchor links, and javascript:
  // addresses other than theirs.
  quillview.hasDocumentScripts = function (doc) {
    doc = doc || document;
    if (doc.getElementsByTagName('script').length > 0)
      return true;
    var elements = doc.getElementsByTagName('*');
    for (var i = 0; i < elements.length; ++i) {
      var attributes = elements[i].attributes;
      for (var j = 0; j < attributes.length; ++j) {
        var name = attributes[j].name.toLowerCase(), value = attributes[j].value;
        if (name.length > 2 && name.indexOf('on') === 0) {
          if (name !== 'onclick' || anchorOf(value) === null)
            return true;
        } else if (value.trim().toLowerCase().indexOf('javascript:') === 0 && value.trim() !== 'javascript:;') {
          return true;
        }
      }
    }
    return false;
  };

  // The pictures from the web the document shows: its images, their source
  // sets, posters, SVG images and the pictures its styles name. The page
  // itself may not ask for them until the reader lets them load, so they
  // are counted here, from the markup, as distinct addresses.
  var pictureProperties = ['backgroundImage', 'listStyleImage', 'borderImageSource', 'content'];

  function addWebAddress(found, value, base) {
    if (!value)
      return;
    try {
      var url = new URL(value.trim(), base);
      if (url.protocol === 'http:' || url.protocol === 'https:')
        found[url.href] = true;
    } catch (e) {
      // Not an address at all: nothing to load.
    }
  }

  function addSourceSet(found, value, base) {
    (value || '').split(',').forEach(function (candidate) {
      addWebAddress(found, candidate.trim().split(/\s+/)[0], base);
    });
  }

  function addStyleAddresses(found, style, base) {
    pictureProperties.forEach(function (property) {
      var value = style[property] || '', pattern = /url\(\s*(["']?)(.*?)\1\s*\)/g, match;
      while ((match = pattern.exec(value)) !== null)
        addWebAddress(found, match[2], base);
    });
  }

  function addSheetAddresses(found, rules, base) {
    for (var i = 0; i < rules.length; ++i) {
      if (rules[i].style && !(rules[i] instanceof CSSFontFaceRule))
        addStyleAddresses(found, rules[i].style, base);
      if (rules[i].cssRules)
        addSheetAddresses(found, rules[i].cssRules, base);
    }
  }

  quillview.remotePictureCount = function (doc) {
    doc = doc || document;
    var found = {}, base = doc.baseURI;
    doc.querySelectorAll('img, input[type=image]').forEach(function (e) {
      addWebAddress(found, e.getAttribute('src'), base);
      addSourceSet(found, e.getAttribute('srcset'), base);
    });
    doc.querySelectorAll('picture source').forEach(function (e) { addSourceSet(found, e.getAttribute('srcset'), base); });
    doc.querySelectorAll('video[poster]').forEach(function (e) { addWebAddress(found, e.getAttribute('poster'), base); });
    doc.querySelectorAll('image').forEach(function (e) {
      addWebAddress(found, e.getAttribute('href') || e.getAttribute('xlink:href'), base);
    });
    doc.querySelectorAll('[style]').forEach(function (e) { addStyleAddresses(found, e.style, base); });
    for (var i = 0; i < doc.styleSheets.length; ++i) {
      try {
        addSheetAddresses(found, doc.styleSheets[i].cssRules, base);
      } catch (e) {
        // A sheet from elsewhere never loaded: it names nothing we saw.
      }
    }
    return Object.keys(found).length;
  };

  // ------------------------------------------------------- the page itself

  // A document was parsed (loaded, or written in place, which drops every
  // listener): our behaviour is set up on it, and its blocks remembered for
  // the next update.
  quillview.pageReady = function () {
    document.addEventListener('click', followAnchorLink, true);
    quillview.rememberBlocks();
  };

  // Big pages arrive in parts, one call each; a part counts only when every
  // part before it of the same page arrived. The first part of a page
  // starts afresh.
  var incoming = null;

  quillview.receivePart = function (id, index, text) {
    if (writePart(id, index, text))
      return;
    if (!incoming || incoming.id !== id)
      incoming = {id: id, parts: []};
    if (incoming.parts.length === index)
      incoming.parts.push(text);
  };

  // The page once all count parts arrived, or null when some did not (the
  // page was replaced meanwhile, or another page's parts came in between).
  quillview.receivedPage = function (id, count) {
    var received = incoming;
    if (!received || received.id !== id)
      return null;
    incoming = null;
    return received.parts.length === count ? received.parts.join('') : null;
  };

  // Replaces the whole document without a navigation (the document's scripts
  // may be off: this runs in our world). Returns whether a page was written.
  quillview.writePage = function (page) {
    if (typeof page !== 'string')
      return false;
    document.open();
    document.write(page);
    document.close();
    // Published again, should the new document have come with a new global.
    window.quillview = quillview;
    quillview.pageReady();
    return true;
  };

  // A fresh page in the empty one: its first part is written as it comes,
  // so that its top shows while the rest is still on its way; the rest is
  // kept and written in one go once it is all there. Written part by part,
  // the growing page was styled and laid out again at every frame between
  // two parts, which for a 10 MB page took longer than the parts did.
  var streaming = null;

  quillview.writeAsReceived = function (id) {
    streaming = {id: id, written: 0, rest: []};
    incoming = null;
    document.open();
  };

  function writePart(id, index, text) {
    if (!streaming || streaming.id !== id || streaming.written !== index)
      return false;
    if (index === 0)
      document.write(text);
    else
      streaming.rest.push(text);
    ++streaming.written;
    return true;
  }

  // Ends the page written as received; whether all count parts were there.
  quillview.finishWriting = function (id, count) {
    if (!streaming || streaming.id !== id)
      return false;
    var whole = streaming.written === count;
    // Part by part, within this one call: no frame comes in between, and no
    // joined copy of the page is made.
    streaming.rest.forEach(function (part) { document.write(part); });
    streaming = null;
    document.close();
    window.quillview = quillview;
    quillview.pageReady();
    return whole;
  };

  // ------------------------------------------------------------- the text

  // The text as the reader sees it is kept here and read in parts: each
  // answer is copied on the GUI thread, and megabytes at once hold it.
  var bodyText = null;

  // Keeps the body's text and answers its length.
  quillview.takeBodyText = function () {
    bodyText = document.body ? document.body.innerText : '';
    return bodyText.length;
  };

  // The part of the kept text from an offset, never ending between the two
  // halves of a surrogate pair (a lone half would not survive the answer);
  // null when no text is kept (the page was replaced meanwhile).
  quillview.bodyTextPart = function (from, length) {
    var text = bodyText;
    if (typeof text !== 'string')
      return null;
    var end = Math.min(text.length, from + length);
    if (end < text.length && (text.charCodeAt(end - 1) & 0xfc00) === 0xd800)
      --end;
    if (end >= text.length)
      bodyText = null;
    return text.substring(from, end);
  };
})(window.quillview = window.quillview || {});
