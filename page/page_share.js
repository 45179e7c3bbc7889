// Hands a link to the system's share sheet where the browser has one, and to the clipboard
// otherwise. Resolves to what happened: 'shared', 'cancelled', 'copied' or 'failed'.
export async function shareLink(url) {
  if (navigator.share) {
    try {
      await navigator.share({title: document.title, url});
      return 'shared';
    } catch (e) {
      if (e.name === 'AbortError') return 'cancelled';
      // Not allowed here (no user gesture, an insecure page): the clipboard may still be.
    }
  }
  try {
    await navigator.clipboard.writeText(url);
    return 'copied';
  } catch (e) {
    return 'failed';
  }
}
