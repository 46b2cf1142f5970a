// Updates the preview in place (part of the `quillview` functions, see
// quillview.js).
//
// The new page is parsed whole by DOMParser, the parser a fresh load would
// use, into an inert document (no scripts run, no images load), so what ends
// up in the window is what a load would show. The body's top-level nodes are
// compared with those shown by their HTML as last parsed; only those that
// differ are replaced, inserted or removed, so unchanged blocks keep their
// nodes: images do not load again and nothing flashes. A changed head, html
// or body element means a different frame (style, font size): the caller
// then loads the page afresh.
(function (quillview) {
  'use strict';

  var shown = null;        // keys of the body's top-level nodes, in order
  var frame = null;        // head and root attributes of the page shown
  var changes = [];        // nodes to step through with "jump to change"
  var nextChange = 0;

  function keyOf(node) {
    if (node.nodeType === Node.ELEMENT_NODE)
      return node.outerHTML;
    return node.nodeType + ':' + node.nodeValue;
  }

  function keysOf(parent) {
    var nodes = parent.childNodes, keys = new Array(nodes.length);
    for (var i = 0; i < nodes.length; ++i)
      keys[i] = keyOf(nodes[i]);
    return keys;
  }

  function attributesOf(element) {
    var list = [];
    if (element)
      for (var i = 0; i < element.attributes.length; ++i)
        list.push(element.attributes[i].name + '=' + element.attributes[i].value);
    return list.join('\n');
  }

  function frameOf(doc) {
    return [attributesOf(doc.documentElement), doc.head ? doc.head.innerHTML : '', attributesOf(doc.body)]
      .join('\n\u0000');
  }

  // Matches new blocks to old ones: common ends first, then blocks whose
  // HTML occurs once on each side (in order: the longest increasing run),
  // and the same again between those anchors. Unmatched blocks are the
  // changes. Returns, for each new block, the old index or -1.
  function match(oldKeys, newKeys) {
    var result = new Int32Array(newKeys.length).fill(-1);
    var ranges = [[0, oldKeys.length, 0, newKeys.length]];
    while (ranges.length) {
      var r = ranges.pop(), oLo = r[0], oHi = r[1], nLo = r[2], nHi = r[3];
      while (oLo < oHi && nLo < nHi && oldKeys[oLo] === newKeys[nLo])
        result[nLo++] = oLo++;
      while (oLo < oHi && nLo < nHi && oldKeys[oHi - 1] === newKeys[nHi - 1])
        result[--nHi] = --oHi;
      if (oLo === oHi || nLo === nHi)
        continue;
      var anchors = uniqueAnchors(oldKeys, oLo, oHi, newKeys, nLo, nHi);
      if (!anchors.length)
        continue;
      var prevO = oLo, prevN = nLo;
      for (var i = 0; i < anchors.length; ++i) {
        var a = anchors[i];
        result[a[1]] = a[0];
        ranges.push([prevO, a[0], prevN, a[1]]);
        prevO = a[0] + 1;
        prevN = a[1] + 1;
      }
      ranges.push([prevO, oHi, prevN, nHi]);
    }
    return result;
  }

  // Pairs [old, new] of keys found exactly once in each range, reduced to
  // the longest run whose old indices increase with the new ones.
  function uniqueAnchors(oldKeys, oLo, oHi, newKeys, nLo, nHi) {
    var counts = new Map();
    for (var o = oLo; o < oHi; ++o) {
      var seen = counts.get(oldKeys[o]);
      counts.set(oldKeys[o], seen ? {old: -1, n: 0} : {old: o, n: 0});
    }
    for (var n = nLo; n < nHi; ++n) {
      var entry = counts.get(newKeys[n]);
      if (entry && entry.old >= 0)
        entry.n = entry.n ? -1 : n + 1;
    }
    var pairs = [];
    for (var n2 = nLo; n2 < nHi; ++n2) {
      var e = counts.get(newKeys[n2]);
      if (e && e.old >= 0 && e.n === n2 + 1)
        pairs.push([e.old, n2]);
    }
    return longestIncreasingRun(pairs);
  }

  function longestIncreasingRun(pairs) {
    var tails = [], previous = new Int32Array(pairs.length);
    for (var i = 0; i < pairs.length; ++i) {
      var lo = 0, hi = tails.length;
      while (lo < hi) {
        var mid = (lo + hi) >> 1;
        if (pairs[tails[mid]][0] < pairs[i][0]) lo = mid + 1; else hi = mid;
      }
      previous[i] = lo > 0 ? tails[lo - 1] : -1;
      tails[lo] = i;
    }
    var run = new Array(tails.length);
    for (var k = tails.length - 1, at = tails.length ? tails[tails.length - 1] : -1; k >= 0; --k, at = previous[at])
      run[k] = pairs[at];
    return run;
  }

  // The first block at or below the top of the view that stays, and where
  // it is now: after the update it is put back there, so the reader keeps
  // the same text in view however much changed above it.
  function anchorOf(oldNodes, kept) {
    for (var i = 0; i < oldNodes.length; ++i) {
      var node = oldNodes[i];
      if (!kept[i] || node.nodeType !== Node.ELEMENT_NODE)
        continue;
      var rect = node.getBoundingClientRect();
      if (rect.bottom > 0 && (rect.height > 0 || rect.width > 0))
        return {node: node, top: rect.top};
    }
    return null;
  }

  function highlight(node) {
    if (node.nodeType !== Node.ELEMENT_NODE || !node.animate)
      return;
    // An animation, not a class or a style: the block's HTML stays as
    // parsed. Amber at half strength reads on light and dark styles.
    var on = {backgroundColor: 'rgba(255, 184, 0, 0.45)', boxShadow: '0 0 0 4px rgba(255, 184, 0, 0.45)'};
    var off = {backgroundColor: 'rgba(255, 184, 0, 0)', boxShadow: '0 0 0 4px rgba(255, 184, 0, 0)'};
    node.getAnimations().forEach(function (running) { running.cancel(); });
    node.animate([on, Object.assign({offset: 0.5}, on), off], {duration: 2000, easing: 'ease-out'});
  }

  function isVisibleChange(node) {
    return node.nodeType === Node.ELEMENT_NODE
      || (node.nodeType === Node.TEXT_NODE && node.nodeValue.trim() !== '');
  }

  function rectOf(node) {
    if (node.nodeType === Node.ELEMENT_NODE)
      return node.getBoundingClientRect();
    var range = document.createRange();
    range.selectNode(node);
    return range.getBoundingClientRect();
  }

  function update(page) {
    // null: the page did not arrive whole; a fresh one is written instead.
    if (typeof page !== 'string')
      return {updated: false};
    var parsed = new DOMParser().parseFromString(page, 'text/html');
    var body = document.body;
    if (!body || !parsed.body)
      return {updated: false};
    if (!shown || shown.length !== body.childNodes.length)
      remember();
    if (frameOf(parsed) !== frame)
      return {updated: false};

    var oldNodes = Array.prototype.slice.call(body.childNodes);
    var newNodes = Array.prototype.slice.call(parsed.body.childNodes);
    var newKeys = keysOf(parsed.body);
    var matched = match(shown, newKeys);
    var kept = new Uint8Array(oldNodes.length);
    for (var i = 0; i < matched.length; ++i)
      if (matched[i] >= 0)
        kept[matched[i]] = 1;
    var anchor = anchorOf(oldNodes, kept);

    for (var o = 0; o < oldNodes.length; ++o)
      if (!kept[o])
        body.removeChild(oldNodes[o]);
    // From the end, so each new node goes before the node that follows it.
    var fresh = [], deletedBefore = [], next = null;
    for (var n = newNodes.length - 1; n >= 0; --n) {
      if (matched[n] >= 0) {
        // Blocks that were removed here, with nothing new in their place,
        // show as a change at the block that now follows them.
        var previousOld = n > 0 ? matched[n - 1] : -1;
        if ((n === 0 && matched[n] > 0) || (previousOld >= 0 && matched[n] - previousOld > 1))
          deletedBefore.push(oldNodes[matched[n]]);
        next = oldNodes[matched[n]];
        continue;
      }
      var node = document.adoptNode(newNodes[n]);
      body.insertBefore(node, next);
      next = node;
      fresh.push(node);
    }
    shown = newKeys;

    if (anchor && anchor.node.isConnected)
      window.scrollBy(0, anchor.node.getBoundingClientRect().top - anchor.top);

    var changed = fresh.concat(deletedBefore).filter(isVisibleChange);
    // A save that changed nothing (editors often save twice) keeps the
    // changes of the one before to jump to.
    if (changed.length) {
      changed.sort(function (a, b) {
        return a.compareDocumentPosition(b) & Node.DOCUMENT_POSITION_FOLLOWING ? -1 : 1;
      });
      changes = changed;
      nextChange = 0;
      highlight(changes[0]);
    }
    return {updated: true, changes: changed.length};
  }

  // Scrolls the next changed block into view (a quarter down from the
  // top, so what led up to it shows too) and marks it again. Returns its
  // number, from 1, or 0 when nothing changed.
  function jumpToNextChange() {
    changes = changes.filter(function (node) { return node.isConnected; });
    if (!changes.length)
      return 0;
    var index = nextChange % changes.length;
    var node = changes[index];
    nextChange = index + 1;
    var top = rectOf(node).top + window.scrollY - window.innerHeight / 4;
    window.scrollTo(window.scrollX, Math.max(0, top));
    highlight(node);
    return index + 1;
  }

  // A page loaded afresh: its blocks as parsed, before anyone (the reader
  // opening a <details>, say) changes them; nothing to jump to yet.
  function remember() {
    shown = document.body ? keysOf(document.body) : null;
    frame = frameOf(document);
    changes = [];
    nextChange = 0;
  }

  quillview.updateBlocks = update;
  quillview.jumpToNextChange = jumpToNextChange;
  quillview.rememberBlocks = remember;
})(window.quillview = window.quillview || {});
