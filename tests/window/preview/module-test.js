// Checks of the preview's page-side functions on module-test.html. Each
// check records its outcome in window.moduleResults; the Qt test reads them
// once window.moduleDone is set.
window.moduleResults = [];

function check(name, test) {
  var detail = '';
  var ok = false;
  try {
    var outcome = test();
    ok = outcome === true;
    if (!ok)
      detail = 'got ' + JSON.stringify(outcome);
  } catch (error) {
    detail = 'threw ' + error;
  }
  window.moduleResults.push({name: name, ok: ok, detail: detail});
}

function same(actual, expected) {
  return JSON.stringify(actual) === JSON.stringify(expected) ? true : {actual: actual, expected: expected};
}

function parsed(html) {
  return new DOMParser().parseFromString(html, 'text/html');
}

// The page as the preview would get it: this page's head, another body.
function pageWithBody(body, bodyAttributes) {
  return '<html><head>' + document.head.innerHTML + '</head><body' + (bodyAttributes || '') + '>' + body
    + '</body></html>';
}

document.addEventListener('DOMContentLoaded', function () {
  var q = window.quillview;

  check('parts join only when all arrived in order', function () {
    q.receivePart(7, 1, 'b');
    var early = q.receivedPage(7, 2);
    q.receivePart(7, 0, 'a');
    q.receivePart(7, 1, 'b');
    q.receivePart(7, 1, 'again');
    var whole = q.receivedPage(7, 2);
    var taken = q.receivedPage(7, 2);
    return same([early, whole, taken], [null, 'ab', null]);
  });

  check('parts of another page in between drop the first', function () {
    q.receivePart(8, 0, 'x');
    q.receivePart(9, 0, 'y');
    return same([q.receivedPage(8, 1), q.receivedPage(9, 1)], [null, 'y']);
  });

  check('a page short of a part is not taken', function () {
    q.receivePart(10, 0, 'x');
    return same(q.receivedPage(10, 2), null);
  });

  check('the body text is read in parts, never between a surrogate pair', function () {
    var full = document.body.innerText;
    var pair = full.indexOf('\ud83d');
    if (q.takeBodyText() !== full.length || pair < 0)
      return 'length or smile missing';
    var first = q.bodyTextPart(0, pair + 1);
    var rest = q.bodyTextPart(first.length, full.length);
    return same([first.length, first + rest === full, q.bodyTextPart(0, 10)], [pair, true, null]);
  });

  check('the converters\' anchor links are no document scripts', function () {
    return same([
      q.hasDocumentScripts(parsed('<p><a href="javascript:;" onclick="document.location.hash=\'x\';">x</a></p>')),
      q.hasDocumentScripts(parsed('<p>plain</p>')),
    ], [false, false]);
  });

  check('scripts, handlers and javascript: addresses are document scripts', function () {
    return same([
      q.hasDocumentScripts(parsed('<script>1</script>')),
      q.hasDocumentScripts(parsed('<img src="x.png" onerror="steal()">')),
      q.hasDocumentScripts(parsed('<a href="javascript:;" onclick="document.location.hash=\'x\';go()">x</a>')),
      q.hasDocumentScripts(parsed('<a href=" JavaScript:alert(1)">x</a>')),
      q.hasDocumentScripts(parsed('<form action="javascript:send()"></form>')),
    ], [true, true, true, true, true]);
  });

  check('pictures from the web are counted from the markup, each address once', function () {
    // Style sheets take effect only in a shown document.
    var shown = document.createElement('div'), without = q.remotePictureCount();
    shown.innerHTML = '<p style="background: url(\'https://d.example/bg.png\')">x</p>'
      + '<style>@font-face { font-family: f; src: url(https://e.example/f.woff); }'
      + ' li.none { list-style-image: url("http://e.example/dot.png"); }</style>';
    document.body.appendChild(shown);
    var styled = q.remotePictureCount() - without;
    shown.remove();
    return same([
      q.remotePictureCount(parsed('<img src="https://a.example/1.png"><img src="https://a.example/1.png">'
                                  + '<img src="local.png"><img src="data:image/png;base64,AA==">')),
      q.remotePictureCount(parsed('<img srcset="http://a.example/s.png 1x, http://a.example/l.png 2x">'
                                  + '<picture><source srcset="https://b.example/w.webp"></picture>'
                                  + '<svg><image href="https://c.example/i.png"/></svg>')),
      styled,
      q.remotePictureCount(parsed('<a href="https://f.example/">link</a><iframe src="https://f.example/x"></iframe>')),
    ], [1, 4, 2, 0]);
  });

  check('headings are listed with their levels, in document order', function () {
    return same(JSON.parse(q.headings()), [[1, 'Title'], [3, 'Skipped a level'], [2, 'Late heading']]);
  });

  check('the heading in view follows scrolling', function () {
    q.restoreScroll(0, 0);
    var atTop = q.headingInView();
    q.scrollToHeading(2);
    var atLate = q.headingInView();
    q.scrollToHeading(99);
    return same([atTop, atLate, q.headingInView()], [0, 2, 2]);
  });

  check('the scroll position is restored, and anchors scroll to their element', function () {
    q.restoreScroll(0, 300);
    var restored = window.scrollY;
    q.scrollToAnchor('late');
    var late = Math.round(document.getElementById('late').getBoundingClientRect().top);
    q.scrollToAnchor('missing');
    return same([restored, late, Math.round(document.getElementById('late').getBoundingClientRect().top)], [300, 0, 0]);
  });

  check('an update replaces only the changed block and marks it', function () {
    q.restoreScroll(0, 0);
    q.rememberBlocks();
    var heading = document.querySelector('h1');
    var first = document.getElementById('first');
    var body = document.body.innerHTML.replace('Second paragraph.', 'Second paragraph, edited.');
    var result = q.updateBlocks(pageWithBody(body));
    return same([result, document.querySelector('h1') === heading, document.getElementById('first') === first,
                 document.body.innerHTML === body, document.querySelectorAll('p')[1].getAnimations().length],
                [{updated: true, changes: 1}, true, true, true, 1]);
  });

  check('jump to change steps through the changes and starts over', function () {
    var body = document.body.innerHTML.replace('Title', 'New title').replace('Last paragraph.', 'Last, edited.');
    var result = q.updateBlocks(pageWithBody(body));
    var last = document.querySelectorAll('p')[2];
    var steps = [q.jumpToNextChange(), q.jumpToNextChange()];
    var lastInView = last.getBoundingClientRect().top > 0 && last.getBoundingClientRect().bottom < window.innerHeight;
    steps.push(q.jumpToNextChange());
    return same([result.changes, steps, lastInView, window.scrollY], [2, [1, 2, 1], true, 0]);
  });

  check('a new frame or a missing page is no update', function () {
    var body = document.body.innerHTML;
    return same([q.updateBlocks(pageWithBody(body, ' style="font-size:110%"')), q.updateBlocks(null),
                 document.body.innerHTML === body], [{updated: false}, {updated: false}, true]);
  });

  window.moduleDone = true;
});
